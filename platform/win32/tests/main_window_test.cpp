// The window itself: leaving it and coming back gives the focus back to the control
// that had it, not to the window; a size that does not change lays nothing out again.
#include "peer_test.h"
#include "platform/win32/buttons.h"
#include "platform/win32/display_scale.h"

namespace platform::win32::testing {
namespace {

using MainWindowTest = PeerTest;

TEST_F(MainWindowTest, ComingBackGivesTheFocusToTheControlThatHadIt) {
  Button first{"按钮_导入"}, second{"按钮_关闭程序"};
  HWND firstButton = make<NativeButton>(first, {10, 10, 80, 24}).hwnd();
  make<NativeButton>(second, {10, 40, 80, 24});
  first.setFocus();
  ASSERT_EQ(GetFocus(), firstButton);

  SendMessageW(window(), WM_ACTIVATE, WA_INACTIVE, 0);
  SetFocus(window());
  SendMessageW(window(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(GetFocus(), firstButton);
}

// Showing the window and restoring it from the task bar tell it the size it has.
TEST_F(MainWindowTest, LaysOutOnlyWhenTheSizeChanges) {
  Window model("测试窗口", displayScale());
  model.setRect({0, 0, 320, 240});
  MainWindow main(model);
  main.createCentred();
  main.startLayout();
  const Size laidOut = model.clientSize();
  int layouts = 0;
  model.onSizeChanged = [&layouts] { ++layouts; };
  auto resize = [&main](WPARAM kind, Size client) {
    SendMessageW(main.hwnd(), WM_SIZE, kind, MAKELPARAM(client.width, client.height));
  };

  resize(SIZE_RESTORED, laidOut);
  resize(SIZE_MINIMIZED, {0, 0});
  resize(SIZE_RESTORED, laidOut);
  EXPECT_EQ(layouts, 0);
  resize(SIZE_MAXIMIZED, {laidOut.width + 50, laidOut.height + 30});
  EXPECT_EQ(layouts, 1);
  EXPECT_EQ(model.clientSize(), (Size{laidOut.width + 50, laidOut.height + 30}));
  resize(SIZE_RESTORED, laidOut);
  EXPECT_EQ(layouts, 2);

  DestroyWindow(main.hwnd());
  settle();  // takes the quit message that the window posts as it goes
}

}  // namespace
}  // namespace platform::win32::testing
