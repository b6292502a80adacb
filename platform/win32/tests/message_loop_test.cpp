// The window's message loop: the first painted event comes after the first paint and
// before any message is handled, also one that waits from the start.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/win32/win32_ui.h"

namespace platform::win32::testing {
namespace {

TEST(MessageLoopTest, FirstPaintedComesBeforeAWaitingMessageIsHandled) {
  Win32Ui ui;
  const ControlDesign design{ControlKind::window, "启动窗口", "", -1, {0, 0, 320, 240}, "窗口"};
  Window window(std::string(design.name), ui.displayScale());
  window.setRect(design.rect);
  ui.realize(window, design, 0);
  std::vector<std::string> seen;
  // Esc, waiting before the window shows, closes it when it is handled.
  window.onCreated = [&seen] {
    seen.push_back("created");
    PostThreadMessageW(GetCurrentThreadId(), WM_KEYDOWN, VK_ESCAPE, 0);
  };
  window.onFirstPainted = [&] { seen.push_back(window.closed() ? "first painted, closed" : "first painted"); };

  ui.run(window);
  EXPECT_EQ(seen, (std::vector<std::string>{"created", "first painted"}));
  EXPECT_TRUE(window.closed());
}

}  // namespace
}  // namespace platform::win32::testing
