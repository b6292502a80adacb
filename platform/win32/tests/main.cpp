#include <gtest/gtest.h>

#include "platform/win32/native_control.h"

int main(int argc, char** argv) {
  platform::win32::registerCommonControls();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
