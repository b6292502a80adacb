// The status bar: it shows the model's parts, the last taking the rest of the width,
// and keeps to the bottom of the window whatever its size.
#include "platform/win32/status_bar.h"
#include "peer_test.h"

namespace platform::win32::testing {
namespace {

class StatusBarTest : public PeerTest {
 protected:
  StatusBarTest() {
    bar.setParts({{"就绪", 100}, {"", 150}, {"版本 2.0", 0}});
    native = make<NativeStatusBar>(bar, {}).hwnd();
  }

  std::vector<int> shownEdges() const {
    std::vector<int> edges(static_cast<std::size_t>(SendMessageW(native, SB_GETPARTS, 0, 0)));
    SendMessageW(native, SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    return edges;
  }

  std::vector<std::string> shownTexts() const {
    std::vector<std::string> texts;
    for (std::size_t part = 0; part < shownEdges().size(); ++part) {
      std::wstring text(LOWORD(SendMessageW(native, SB_GETTEXTLENGTHW, part, 0)) + 1, L'\0');
      text.resize(LOWORD(SendMessageW(native, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()))));
      texts.push_back(narrow(text));
    }
    return texts;
  }

  StatusBar bar{"状态条"};
  HWND native = nullptr;
};

TEST_F(StatusBarTest, ShowsTheModelsParts) {
  EXPECT_EQ(shownEdges(), (std::vector<int>{100, 250, -1}));
  EXPECT_EQ(shownTexts(), (std::vector<std::string>{"就绪", "", "版本 2.0"}));
  bar.setPartText(1, "创建 → CreateWindowExA");
  bar.setPartWidth(0, 120);
  EXPECT_EQ(shownEdges(), (std::vector<int>{120, 270, -1}));
  EXPECT_EQ(shownTexts(), (std::vector<std::string>{"就绪", "创建 → CreateWindowExA", "版本 2.0"}));
}

TEST_F(StatusBarTest, KeepsToTheBottomOfTheWindow) {
  for (SIZE outer : {SIZE{640, 480}, SIZE{800, 300}}) {
    SetWindowPos(window(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    settle();
    RECT client{}, placed{};
    GetClientRect(window(), &client);
    GetWindowRect(native, &placed);
    MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.bottom, client.bottom) << outer.cx << "x" << outer.cy;
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.right, client.right);
    EXPECT_EQ(bar.rect().height, placed.bottom - placed.top);
  }
}

}  // namespace
}  // namespace platform::win32::testing
