// The window itself: leaving it and coming back gives the focus back to the control
// that had it, not to the window; a size that does not change lays nothing out again;
// it ticks only while the model asks, with its message loop free between the ticks.
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

TEST_F(MainWindowTest, TicksWhileAskedAndNotAfter) {
  Window model("测试窗口", displayScale());
  model.setRect({0, 0, 320, 240});
  MainWindow main(model);
  main.createCentred();
  model.attach(&main);
  int ticks = 0;
  model.onTicked = [&ticks] { ++ticks; };
  auto runFor = [](DWORD milliseconds) {
    for (DWORD until = GetTickCount() + milliseconds; GetTickCount() < until;) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      Sleep(5);
    }
  };

  model.setTicking(true);
  runFor(400);
  EXPECT_GE(ticks, 3);
  EXPECT_LE(ticks, 400 / Window::kTickMilliseconds + 1);
  model.setTicking(false);
  const int stopped = ticks;
  runFor(200);
  EXPECT_EQ(ticks, stopped);

  DestroyWindow(main.hwnd());
  settle();
}

}  // namespace
}  // namespace platform::win32::testing
