#include "peer_test.h"

#include "platform/win32/display_scale.h"
#include "platform/win32/handles.h"

namespace platform::win32::testing {
namespace {

// One window serves every test: Wine waits for a window manager whenever a top-level
// window leaves the screen, two seconds on the test's display, which has none.
struct TestWindow {
  TestWindow() : model("测试窗口", displayScale()), main(model) {
    model.setRect({0, 0, 640, 480});
    main.createCentred();
    // On screen, as the wizard is: what a control paints can be read back.
    ShowWindow(main.hwnd(), SW_SHOWNORMAL);
    settle();
  }
  Window model;
  MainWindow main;
};

LPARAM point(POINT at) { return MAKELPARAM(at.x, at.y); }

}  // namespace

HWND PeerTest::window() {
  static TestWindow testWindow;
  return testWindow.main.hwnd();
}

PeerTest::PeerTest() {
  SetWindowPos(window(), nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
  settle();
}

void PeerTest::TearDown() {
  while (HWND child = GetWindow(window(), GW_CHILD)) DestroyWindow(child);
  settle();
  natives_.clear();
}

// Mouse input is posted, as the system posts it: a control that follows the mouse
// after the button goes down (the tree view, watching for a drag) finds the button's
// release waiting in the queue.
void click(HWND hwnd, POINT at) {
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point(at));
  PostMessageW(hwnd, WM_LBUTTONUP, 0, point(at));
  settle();
}

void doubleClick(HWND hwnd, POINT at) {
  click(hwnd, at);
  PostMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, point(at));
  PostMessageW(hwnd, WM_LBUTTONUP, 0, point(at));
  settle();
}

void pressKey(HWND hwnd, UINT key) {
  const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  SendMessageW(hwnd, WM_KEYDOWN, key, 1 | scanCode);
  SendMessageW(hwnd, WM_KEYUP, key, 1 | scanCode | 0xC0000000);
  settle();
}

void typeText(HWND hwnd, std::wstring_view text) {
  for (wchar_t c : text) SendMessageW(hwnd, WM_CHAR, c, 1);
  settle();
}

void settle() {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

ShownPicture::ShownPicture(HWND hwnd) {
  settle();
  UpdateWindow(hwnd);
  RECT client{};
  GetClientRect(hwnd, &client);
  width_ = client.right;
  height_ = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  WindowDc window(hwnd);
  OwnedBitmap copy(CreateDIBSection(window.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDc memory(CreateCompatibleDC(window.get()));
  {
    Selection picture(memory.get(), copy.get());
    BitBlt(memory.get(), 0, 0, width_, height_, window.get(), 0, 0, SRCCOPY);
  }
  GdiFlush();
  const auto* first = static_cast<const std::uint32_t*>(bits);
  pixels_.assign(first, first + static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
}

COLORREF ShownPicture::at(POINT point) const {
  if (point.x < 0 || point.y < 0 || point.x >= width_ || point.y >= height_) return CLR_INVALID;
  const std::uint32_t pixel =
      pixels_[static_cast<std::size_t>(point.y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(point.x)];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

POINT centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace platform::win32::testing
