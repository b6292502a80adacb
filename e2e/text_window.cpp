// The second yardstick for the wizard's start-up time: the smallest window program that
// does what every window of the wizard's kind must do, and no more. It runs with the
// wizard's manifest (common controls version 6, DPI aware), starts the common controls
// and paints one line of Chinese text in the wizard's control font. Against it the
// wizard's start-up shows its own cost apart from what Wine takes for these.
#include <windows.h>

#include <commctrl.h>

namespace {

HFONT font;

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HGDIOBJ old = SelectObject(dc, font);
    const wchar_t line[] = L"请通过易语言菜单“工具->执行易向导”启动本程序";
    TextOutW(dc, 8, 8, line, static_cast<int>(wcslen(line)));
    SelectObject(dc, old);
    EndPaint(hwnd, &ps);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  font = CreateFontW(-MulDiv(12, dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");
  WNDCLASSW wc{};
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"TextWindow";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowW(L"TextWindow", L"Text", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                            MulDiv(671, dpi, 96), MulDiv(572, dpi, 96), nullptr, nullptr, instance, nullptr);
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  DeleteObject(font);
  return 0;
}
