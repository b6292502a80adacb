#include "platform/win32/main_window.h"

#include <commctrl.h>

#include "platform/win32/display_scale.h"

namespace platform::win32 {

MainWindow::MainWindow(Window& model) : NativeControl(model), window_(model) {}

HBRUSH MainWindow::background() {
  static HBRUSH brush = CreateSolidBrush(kBackground);
  return brush;
}

namespace {

// The program's icon in the size of the two metrics. Its file holds the sizes that the
// displays' scales ask for: one made by scaling another costs Wine milliseconds at start.
HICON programIcon(int widthMetric, int heightMetric) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                       GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), LR_SHARED));
}

}  // namespace

void MainWindow::createCentred() {
  registerClass(background(), 0, programIcon(SM_CXICON, SM_CYICON), programIcon(SM_CXSMICON, SM_CYSMICON));
  Rect outer = window_.rect();
  // Centred on the primary screen's work area; the design's stored position is not used.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int x = work.left + ((work.right - work.left) - outer.width) / 2;
  int y = work.top + ((work.bottom - work.top) - outer.height) / 2;
  adopt(createWindow(kExStyle, wide(window_.text()).c_str(), kStyle, x, y, outer.width, outer.height, nullptr));
  reportPlace();
}

void MainWindow::showRect(const Rect& outer) {
  SetWindowPos(hwnd(), nullptr, outer.left, outer.top, outer.width, outer.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::reportPlace() {
  if (IsIconic(hwnd()) || IsZoomed(hwnd())) return;
  RECT outer{};
  GetWindowRect(hwnd(), &outer);
  window_.nativePlaced({outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top});
}

void MainWindow::startLayout() {
  laidOut_ = true;
  RECT client{};
  GetClientRect(hwnd(), &client);
  window_.userResized({client.right, client.bottom});
}

// The window's one timer.
constexpr UINT_PTR kTickTimer = 1;

void MainWindow::tickEvery(int milliseconds) {
  if (milliseconds > 0) {
    SetTimer(hwnd(), kTickTimer, static_cast<UINT>(milliseconds), nullptr);
  } else {
    KillTimer(hwnd(), kTickTimer);
  }
}

HBRUSH MainWindow::backgroundBrush(HDC dc) {
  SetBkColor(dc, kBackground);
  return background();
}

LRESULT MainWindow::handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (NativeControl::forwardToChild(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return reinterpret_cast<LRESULT>(backgroundBrush(reinterpret_cast<HDC>(wParam)));
    case WM_MOVE: reportPlace(); return 0;
    case WM_SIZE: {
      reportPlace();
      const Size client{LOWORD(lParam), HIWORD(lParam)};
      // Showing or restoring the window tells the size it already has: nothing moves.
      if (wParam == SIZE_MINIMIZED || (laidOut_ && client == window_.clientSize())) return 0;
      // The status bar places itself along the bottom edge when told of the size.
      for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32];
        if (GetClassNameW(child, cls, 32) && lstrcmpiW(cls, STATUSCLASSNAMEW) == 0) SendMessageW(child, WM_SIZE, 0, 0);
      }
      if (laidOut_) window_.userResized(client);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) focusOnActivation_ = focus;
      } else if (focusOnActivation_ && IsWindow(focusOnActivation_) && !HIWORD(wParam)) {
        SetFocus(focusOnActivation_);
        return 0;
      }
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_GETMINMAXINFO: {
      // The layout's smallest client area, with this window's frame around it.
      const Size least = window_.minimumClientSize();
      RECT outer{0, 0, least.width, least.height};
      AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {outer.right - outer.left, outer.bottom - outer.top};
      return 0;
    }
    case WM_TIMER:
      if (wParam == kTickTimer) window_.ticked();
      return 0;
    case WM_CLOSE: window_.userAskedToClose(); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace platform::win32
