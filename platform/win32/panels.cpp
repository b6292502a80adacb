#include "platform/win32/panels.h"

#include "platform/win32/main_window.h"

namespace platform::win32 {

// Frame -----------------------------------------------------------------------------

void NativeFrame::create(HWND parent) {
  registerClass(MainWindow::background());
  NativeControl::create(parent, kClassName, WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
                        static_cast<WindowBase*>(this));
}

LRESULT NativeFrame::handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (forwardToChild(message, wParam, lParam, result)) return result;
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r{};
    GetClientRect(hwnd, &r);
    DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Drawing board ---------------------------------------------------------------------

NativeBoard::~NativeBoard() {
  if (font_) DeleteObject(font_);
  if (picture_) DeleteObject(picture_);
}

void NativeBoard::create(HWND parent) {
  registerClass(GetSysColorBrush(COLOR_WINDOW));
  NativeControl::create(parent, kClassName, 0, 0, static_cast<WindowBase*>(this));
}

void NativeBoard::useDefaultGuiFont(int points) {
  LOGFONTW lf{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  HDC screen = GetDC(nullptr);
  lf.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  if (font_) DeleteObject(font_);
  font_ = CreateFontIndirectW(&lf);
}

Size NativeBoard::measureText(std::string_view text) const {
  std::wstring w = wide(text);
  HDC dc = GetDC(hwnd());
  HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  SIZE extent{};
  GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(hwnd(), dc);
  return {extent.cx, extent.cy};
}

// Copies what the screen shows under the board, so that showing the board hides the
// redrawing beneath it.
void NativeBoard::freezePicture() {
  RECT r{};
  GetWindowRect(hwnd(), &r);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  if (picture_) DeleteObject(picture_);
  picture_ = CreateCompatibleBitmap(screen, r.right - r.left, r.bottom - r.top);
  HGDIOBJ old = SelectObject(memory, picture_);
  BitBlt(memory, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT NativeBoard::handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT && picture_) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, picture_);
    BITMAP bm{};
    GetObjectW(picture_, sizeof bm, &bm);
    BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace platform::win32
