#include "platform/win32/panels.h"

#include <utility>

#include "platform/win32/main_window.h"

namespace platform::win32 {

// Frame -----------------------------------------------------------------------------

void NativeFrame::create(HWND parent) {
  // Drawn anew whole when its size changes: its edge moves, and the old edge must not
  // stay behind inside it.
  registerClass(MainWindow::background(), CS_HREDRAW | CS_VREDRAW);
  NativeControl::create(parent, kClassName, WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
                        static_cast<WindowBase*>(this));
}

LRESULT NativeFrame::handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (forwardToChild(message, wParam, lParam, result)) return result;
  if (message == WM_PAINT) {
    PaintDc dc(hwnd);
    RECT r{};
    GetClientRect(hwnd, &r);
    DrawEdge(dc.get(), &r, EDGE_ETCHED, BF_RECT);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Drawing board ---------------------------------------------------------------------

void NativeBoard::create(HWND parent) {
  registerClass(GetSysColorBrush(COLOR_WINDOW));
  NativeControl::create(parent, kClassName, 0, 0, static_cast<WindowBase*>(this));
}

void NativeBoard::useDefaultGuiFont(int points) {
  OwnedFont old = std::exchange(font_, OwnedFont(createDefaultGuiFont(points)));
  // Before the old font goes: a font selected into a DC is not deleted.
  if (measuringDc_) SelectObject(measuringDc_.get(), measuringFont());
}

HGDIOBJ NativeBoard::measuringFont() const { return font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT); }

// A memory DC of the screen measures as the board's own DC would, and it is made once,
// with the board's font kept selected: a window's DC is costly to get, selecting a font
// costs ten times the measuring, and the declaration view measures every cell.
Size NativeBoard::measureText(std::string_view text) const {
  if (!measuringDc_) {
    measuringDc_.reset(CreateCompatibleDC(nullptr));
    SelectObject(measuringDc_.get(), measuringFont());
  }
  std::wstring w = wide(text);
  SIZE extent{};
  GetTextExtentPoint32W(measuringDc_.get(), w.c_str(), static_cast<int>(w.size()), &extent);
  return {extent.cx, extent.cy};
}

// Copies what the screen shows under the board, so that showing the board hides the
// redrawing beneath it. Before the window is on screen there is nothing to hide.
void NativeBoard::freezePicture() {
  if (!IsWindowVisible(GetAncestor(hwnd(), GA_ROOT))) {
    picture_.reset();
    return;
  }
  RECT r{};
  GetWindowRect(hwnd(), &r);
  {
    WindowDc screen(nullptr);
    MemoryDc memory(CreateCompatibleDC(screen.get()));
    picture_ = createOffScreenBitmap(r.right - r.left, r.bottom - r.top);
    Selection picture(memory.get(), picture_.get());
    BitBlt(memory.get(), 0, 0, r.right - r.left, r.bottom - r.top, screen.get(), r.left, r.top, SRCCOPY);
  }
  InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT NativeBoard::handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT && picture_) {
    PaintDc dc(hwnd);
    MemoryDc memory(CreateCompatibleDC(dc.get()));
    Selection picture(memory.get(), picture_.get());
    BITMAP bm{};
    GetObjectW(picture_.get(), sizeof bm, &bm);
    BitBlt(dc.get(), 0, 0, bm.bmWidth, bm.bmHeight, memory.get(), 0, 0, SRCCOPY);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace platform::win32
