// The tab control: it shows the model's pages; a click or a key on a tab raises the
// page event once, after the page's controls may be made and are shown; the controls
// on a page reach their models through it.
#include <functional>

#include "list_support.h"
#include "peer_test.h"
#include "platform/win32/list_controls.h"
#include "platform/win32/tab_control.h"

namespace platform::win32::testing {
namespace {

class TabControlTest : public PeerTest {
 protected:
  TabControlTest() {
    NativeTab& made = make<NativeTab>(tab, {10, 10, 400, 300});
    native = made.hwnd();
    made.beforePageShown = [this](int page) { events.add("before page " + std::to_string(page)); };
    tab.onPageChanged = [this] { events.add("page " + std::to_string(tab.currentPage())); };

    pageList.add("DeleteFileA");
    pageList.placeIn(&tab, 1);
    tab.adopt(pageList);
    list = make<NativeList>(pageList, {8, 30, 300, 200}, native).hwnd();
    pageList.onItemSelected = [this] { events.add("list selected " + std::to_string(pageList.currentSelection())); };
  }

  std::vector<std::string> shownCaptions() const {
    std::vector<std::string> captions;
    const auto count = static_cast<int>(SendMessageW(native, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t caption[32] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = caption;
      item.cchTextMax = 32;
      SendMessageW(native, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
      captions.push_back(narrow(caption));
    }
    return captions;
  }

  POINT tabAt(int page) const {
    RECT r{};
    SendMessageW(native, TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(&r));
    return centre(r);
  }

  TabControl tab{"选择夹_分类", {"API", "例程", "数据类型"}};
  ListBox pageList{"列表框_例程", false};
  HWND native = nullptr, list = nullptr;
};

TEST_F(TabControlTest, ShowsTheModelsPages) {
  EXPECT_EQ(shownCaptions(), (std::vector<std::string>{"API", "例程", "数据类型"}));
  EXPECT_EQ(SendMessageW(native, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_FALSE(IsWindowVisible(list));
}

TEST_F(TabControlTest, ChangingThePageRaisesTheEventOnceAfterThePageIsShown) {
  struct Step {
    const char* what;
    std::function<void()> act;
    std::vector<std::string> events;
    int page;
  };
  const Step steps[] = {
      {"click on the second tab", [&] { click(native, tabAt(1)); }, {"before page 1", "page 1"}, 1},
      {"click on the page's list", [&] { click(list, centre(itemRect(list, 0))); }, {"list selected 0"}, 1},
      {"the program shows the third page", [&] { tab.setCurrentPage(2); }, {"before page 2"}, 2},
      {"left arrow on the tabs", [&] { pressKey(native, VK_LEFT); }, {"before page 1", "page 1"}, 1},
      {"click on the tab on view", [&] { click(native, tabAt(1)); }, {}, 1},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(events.take(), step.events) << step.what;
    EXPECT_EQ(tab.currentPage(), step.page) << step.what;
    EXPECT_EQ(SendMessageW(native, TCM_GETCURSEL, 0, 0), step.page) << step.what;
    EXPECT_EQ(IsWindowVisible(list) != FALSE, step.page == 1) << step.what;
  }
}

}  // namespace
}  // namespace platform::win32::testing
