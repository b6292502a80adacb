// The window itself: leaving it and coming back gives the focus back to the control
// that had it, not to the window.
#include "peer_test.h"
#include "platform/win32/buttons.h"

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

}  // namespace
}  // namespace platform::win32::testing
