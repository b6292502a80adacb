#include "platform/win32/grid.h"

namespace platform::win32 {

void NativeGrid::create(HWND parent) {
  registerClass(GetSysColorBrush(COLOR_WINDOW), CS_HREDRAW | CS_VREDRAW);
  NativeControl::create(parent, kClassName, WS_TABSTOP, WS_EX_CLIENTEDGE, static_cast<WindowBase*>(this));
}

LRESULT NativeGrid::handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace platform::win32
