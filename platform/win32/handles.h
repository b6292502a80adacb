// Small owners of Win32 handles: each gives its handle back when it goes, so that
// every return path is safe and no release is written by hand.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <unordered_map>
#include <utility>

#include "platform/win32/caught_exception.h"

namespace platform::win32 {

// A handle freed by one function: GDI objects, memory DCs, image lists.
template <typename Handle, auto Release>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Owned& operator=(Owned&& other) noexcept {
    reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  ~Owned() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset(Handle handle = nullptr) {
    if (handle_) Release(handle_);
    handle_ = handle;
  }
  // Gives the handle up to a new owner, which frees it.
  Handle release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
};

// A kernel object's handle. INVALID_HANDLE_VALUE, which CreateFileW gives on failure,
// counts as none.
class OwnedHandle : public Owned<HANDLE, CloseHandle> {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(HANDLE handle) : Owned(orNone(handle)) {}
  void reset(HANDLE handle = nullptr) { Owned::reset(orNone(handle)); }

 private:
  static HANDLE orNone(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }
};

using OwnedFont = Owned<HFONT, DeleteObject>;
using OwnedBitmap = Owned<HBITMAP, DeleteObject>;
using OwnedImageList = Owned<HIMAGELIST, ImageList_Destroy>;
using MemoryDc = Owned<HDC, DeleteDC>;

// A 32-bit top-down DIB to draw in off screen; `bits`, if given, receives its pixels
// (0x00RRGGBB). Unlike a bitmap compatible with a window's DC, making it does not ask the
// display for its colour depth, which under Wine is a costly look at the display settings.
inline OwnedBitmap createOffScreenBitmap(int width, int height, void** bits = nullptr) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  return OwnedBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits ? bits : &pixels, nullptr, 0));
}

// The DC of a window, or of the screen for a null window (GetDC, ReleaseDC).
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// The DC of one WM_PAINT (BeginPaint, EndPaint).
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
  ~PaintDc() { EndPaint(hwnd_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An object selected into a DC while the holder lives; the DC's previous one comes back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() {
    if (previous_) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A subclass of one window through a handler that no exception crosses: the window's
// procedure is replaced, and the handler hands what it leaves to passOn. It is undone
// when the window is destroyed (WM_NCDESTROY) or when the holder goes, whichever comes
// first. (Not the common controls' SetWindowSubclass: that finds its data through a window
// property on every message, which under Wine is a round trip to the server.)
class WindowSubclass {
 public:
  using Handler = LRESULT (*)(HWND, UINT, WPARAM, LPARAM, DWORD_PTR data);

  WindowSubclass() = default;
  ~WindowSubclass() { remove(); }
  WindowSubclass(const WindowSubclass&) = delete;
  WindowSubclass& operator=(const WindowSubclass&) = delete;

  template <Handler Handle>
  void install(HWND hwnd, DWORD_PTR data) {
    remove();
    auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (!original) return;
    installed()[hwnd] = {original, data};
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure<Handle>));
    hwnd_ = hwnd;
  }

  void remove() {
    auto it = installed().find(hwnd_);
    if (it != installed().end()) {
      if (IsWindow(hwnd_)) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.original));
      installed().erase(it);
    }
    hwnd_ = nullptr;
  }

  // What the window's own procedure makes of a message.
  static LRESULT passOn(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto it = installed().find(hwnd);
    if (it == installed().end()) return DefWindowProcW(hwnd, message, wParam, lParam);
    return CallWindowProcW(it->second.original, hwnd, message, wParam, lParam);
  }

 private:
  struct Installed {
    WNDPROC original;
    DWORD_PTR data;
  };

  static std::unordered_map<HWND, Installed>& installed() {
    static std::unordered_map<HWND, Installed> subclasses;
    return subclasses;
  }

  template <Handler Handle>
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto it = installed().find(hwnd);
    if (it == installed().end()) return DefWindowProcW(hwnd, message, wParam, lParam);
    const Installed subclass = it->second;
    // The window's own procedure is back before the window is gone.
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass.original));
      installed().erase(it);
      return CallWindowProcW(subclass.original, hwnd, message, wParam, lParam);
    }
    try {
      return Handle(hwnd, message, wParam, lParam, subclass.data);
    } catch (...) {
      reportCaughtException();
      return CallWindowProcW(subclass.original, hwnd, message, wParam, lParam);
    }
  }

  HWND hwnd_ = nullptr;
};

}  // namespace platform::win32
