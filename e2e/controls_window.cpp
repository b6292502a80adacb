// The third yardstick for the wizard's start-up time: the wizard's window as its design
// table lays it out, made straight with CreateWindowExW and nothing else. Every control
// that the wizard shows at its first paint is here, of the same window class, style,
// place and caption, in the wizard's control font, but empty: no tree, no lists, no
// declaration. Against it the wizard's start-up shows what its own code costs beyond
// what Wine takes to make, show and paint that many native windows.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "window/window_design.h"

namespace {

using platform::ControlKind;

// The design's texts are GBK, as the wizard is built.
std::wstring wide(std::string_view gbk) {
  std::wstring out(gbk.size(), L'\0');
  out.resize(static_cast<std::size_t>(
      MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), out.data(), static_cast<int>(out.size()))));
  return out;
}

std::vector<std::wstring> parts(std::string_view text) {
  std::vector<std::wstring> out;
  for (std::size_t start = 0;;) {
    std::size_t bar = text.find('|', start);
    out.push_back(wide(text.substr(start, bar == std::string_view::npos ? bar : bar - start)));
    if (bar == std::string_view::npos) return out;
    start = bar + 1;
  }
}

struct NativeKind {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
};

// The classes and styles that the wizard's Win32 side makes each kind with; the
// wizard's own classes (frame, grid, drawing board) are plain windows here.
NativeKind nativeKind(ControlKind kind) {
  switch (kind) {
    case ControlKind::tabControl:
      return {WC_TABCONTROLW, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CONTROLPARENT};
    case ControlKind::treeBox:
      return {WC_TREEVIEWW, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
    case ControlKind::listBox:
    case ControlKind::sortedListBox:
    case ControlKind::checkListBox:
    case ControlKind::sortedCheckListBox:
      return {WC_LISTBOXW, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::editBox: return {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::multiLineEditBox:
      return {WC_EDITW, ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::radioButton: return {WC_BUTTONW, BS_RADIOBUTTON | WS_TABSTOP, 0};
    case ControlKind::dropDownList: return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::button: return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::label: return {WC_STATICW, SS_LEFT, 0};
    case ControlKind::statusBar: return {STATUSCLASSNAMEW, SBARS_SIZEGRIP | CCS_BOTTOM, 0};
    case ControlKind::grid: return {L"ControlsWindowPlain", 0, WS_EX_CLIENTEDGE};
    case ControlKind::frame:
    case ControlKind::drawingBoard:
    case ControlKind::window: break;
  }
  return {L"ControlsWindowPlain", 0, 0};
}

LRESULT CALLBACK mainProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES |
                                                     ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  auto px = [dpi](int value) { return MulDiv(value, dpi, 96); };
  HFONT font = CreateFontW(-px(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");

  WNDCLASSW wc{};
  wc.lpfnWndProc = mainProcedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = L"ControlsWindow";
  RegisterClassW(&wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = L"ControlsWindowPlain";
  RegisterClassW(&wc);

  const auto design = window::startupWindowDesign();
  const platform::Rect outer = design[0].rect;
  HWND main = CreateWindowExW(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, L"ControlsWindow", wide(design[0].text).c_str(),
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, px(outer.width),
                              px(outer.height), nullptr, nullptr, instance, nullptr);
  std::vector<HWND> made(design.size(), nullptr);
  made[0] = main;
  for (std::size_t i = 1; i < design.size(); ++i) {
    const platform::ControlDesign& control = design[i];
    // The wizard makes the controls of pages not on view after its first paint.
    if (control.page > 0) continue;
    HWND parent = main;
    for (std::size_t p = 0; p < i; ++p) {
      if (!control.parent.empty() && design[p].name == control.parent) parent = made[p];
    }
    const NativeKind native = nativeKind(control.kind);
    const bool captioned = control.kind == ControlKind::button || control.kind == ControlKind::radioButton ||
                           control.kind == ControlKind::label;
    const platform::Rect r = control.rect;
    HWND hwnd = CreateWindowExW(native.exStyle, native.windowClass, captioned ? wide(control.text).c_str() : L"",
                                native.style | WS_CHILD | (control.visible ? WS_VISIBLE : 0), px(r.left), px(r.top),
                                px(r.width), px(r.height), parent, reinterpret_cast<HMENU>(i), instance, nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (control.kind == ControlKind::tabControl) {
      // The wizard's narrow padding, which lets the four catalog pages fit without scroll arrows.
      SendMessageW(hwnd, TCM_SETPADDING, 0, MAKELPARAM(px(4), px(3)));
      std::vector<std::wstring> pages = parts(control.text);
      for (std::size_t page = 0; page < pages.size(); ++page) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = pages[page].data();
        SendMessageW(hwnd, TCM_INSERTITEMW, page, reinterpret_cast<LPARAM>(&item));
      }
    }
    made[i] = hwnd;
  }
  ShowWindow(main, SW_SHOWNORMAL);
  UpdateWindow(main);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(main, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  DeleteObject(font);
  return 0;
}
