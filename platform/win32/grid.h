#pragma once

#include "platform/grid.h"
#include "platform/win32/native_control.h"
#include "platform/win32/window_base.h"

namespace platform::win32 {

// The grid's window; the table that it shows comes with the declaration view.
class NativeGrid : public NativeControl, public WindowBase<NativeGrid> {
 public:
  static constexpr const wchar_t* kClassName = L"KelvaneGrid";
  explicit NativeGrid(Grid& model) : NativeControl(model) {}
  void create(HWND parent);

 protected:
  LRESULT handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace platform::win32
