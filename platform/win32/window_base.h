// Base of the window classes that the wizard registers itself: `this` is stored in the
// window's extra bytes at WM_NCCREATE and every later message goes to handleMessage.
// (A window property would cost Wine a round trip to its server on every message.)
#pragma once

#include <windows.h>

#include "platform/win32/caught_exception.h"

namespace platform::win32 {

template <typename Derived>
class WindowBase {
 public:
  virtual ~WindowBase() = default;

 protected:
  // Registers the class once; `background` may be null for windows that paint all. Only
  // a top-level window needs the icons, the caption's small one given: without it Wine
  // would make it from the large one.
  static void registerClass(HBRUSH background, UINT classStyle = 0, HICON icon = nullptr, HICON smallIcon = nullptr) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = sizeof(WindowBase*);
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hbrBackground = background;
    wc.lpszClassName = Derived::kClassName;
    RegisterClassExW(&wc);
    registered = true;
  }

  // Passes `this` as the creation parameter.
  HWND createWindow(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int w, int h, HWND parent) {
    return CreateWindowExW(exStyle, Derived::kClassName, title, style, x, y, w, h, parent, nullptr,
                           GetModuleHandleW(nullptr), this);
  }

  virtual LRESULT handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;

 private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, 0));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, 0, 0);
    // No exception crosses a window procedure: a handler that fails is reported and
    // leaves the message to the default handling.
    try {
      if (self) return self->handleMessage(hwnd, message, wParam, lParam);
    } catch (...) {
      reportCaughtException();
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
};

}  // namespace platform::win32
