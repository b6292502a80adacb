#pragma once

#include "platform/tree_box.h"
#include "platform/win32/native_control.h"

namespace platform::win32 {

class NativeTree : public NativeControl {
 public:
  explicit NativeTree(TreeBox& model) : NativeControl(model) {}
  void create(HWND parent);
};

}  // namespace platform::win32
