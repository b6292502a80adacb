// GoogleTest's hook into its port, ahead of the stock one. This compiler's win32 thread
// model has no std::mutex, which GoogleTest's Notification is made of; only threads that
// GoogleTest starts itself wait on one, and these tests start none.
#pragma once

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
 public:
  void Notify() { notified_ = true; }
  void WaitForNotification() {
    while (!notified_) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace testing::internal
