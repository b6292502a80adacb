#include "platform/win32/native_control.h"

#include <unordered_map>

#include "base/gbk_codec.h"
#include "platform/win32/display_scale.h"
#include "platform/win32/handles.h"
#include "platform/win32/main_window.h"

namespace platform::win32 {

std::wstring wide(std::string_view gbkText) {
  std::u16string u = gbk::toUtf16(gbkText);
  return std::wstring(u.begin(), u.end());
}

std::string narrow(const std::wstring& text) { return gbk::fromUtf16(std::u16string(text.begin(), text.end())); }

std::string windowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return narrow(text);
}

void registerCommonControls() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES |
                                                     ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
}

HFONT controlFont() {
  static HFONT font =
      CreateFontW(-displayScale().px(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");
  return font;
}

const TEXTMETRICW& controlFontMetrics() {
  static const TEXTMETRICW metrics = [] {
    TEXTMETRICW measured{};
    WindowDc screen(nullptr);
    Selection font(screen.get(), controlFont());
    GetTextMetricsW(screen.get(), &measured);
    return measured;
  }();
  return metrics;
}

HFONT createDefaultGuiFont(int points) {
  LOGFONTW lf{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  lf.lfHeight = -MulDiv(points, displayScale().dpi, 72);
  return CreateFontIndirectW(&lf);
}

namespace {

// The control of each window. Kept here rather than in the window (GWLP_USERDATA): under
// Wine each SetWindowLongPtr is a round trip to the server.
std::unordered_map<HWND, NativeControl*>& controlOfWindow() {
  static std::unordered_map<HWND, NativeControl*> controls;
  return controls;
}

}  // namespace

NativeControl::~NativeControl() {
  auto it = controlOfWindow().find(hwnd_);
  if (it != controlOfWindow().end() && it->second == this) controlOfWindow().erase(it);
}

void NativeControl::create(HWND parent, const wchar_t* windowClass, DWORD style, DWORD exStyle, void* param) {
  Rect r = nativeRect(model_.rect());
  placed_ = r;
  if (model_.isShown()) style |= WS_VISIBLE;
  if (!model_.enabled()) style |= WS_DISABLED;
  adopt(CreateWindowExW(exStyle, windowClass, wide(model_.text()).c_str(), style | WS_CHILD, r.left, r.top, r.width,
                        r.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId_)),
                        GetModuleHandleW(nullptr), param));
}

void NativeControl::adopt(HWND hwnd) {
  hwnd_ = hwnd;
  if (hwnd_) controlOfWindow()[hwnd_] = this;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont()), FALSE);
}

NativeControl* NativeControl::of(HWND hwnd) {
  auto it = controlOfWindow().find(hwnd);
  return it == controlOfWindow().end() ? nullptr : it->second;
}

void NativeControl::showRect(const Rect& rect) {
  Rect r = nativeRect(rect);
  if (r == placed_) return;
  placed_ = r;
  MoveWindow(hwnd_, r.left, r.top, r.width < 0 ? 0 : r.width, r.height < 0 ? 0 : r.height, TRUE);
}

void NativeControl::showVisible(bool shown) { ShowWindow(hwnd_, shown ? SW_SHOWNA : SW_HIDE); }

void NativeControl::showEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }

void NativeControl::showText(std::string_view text) { SetWindowTextW(hwnd_, wide(text).c_str()); }

void NativeControl::takeFocus() {
  HWND root = GetAncestor(hwnd_, GA_ROOT);
  if (!IsWindowVisible(root)) {
    if (auto* main = dynamic_cast<MainWindow*>(of(root))) {
      main->giveFocusOnActivation(hwnd_);
      return;
    }
  }
  SetFocus(hwnd_);
}

bool NativeControl::hasFocus() const { return GetFocus() == hwnd_; }

bool NativeControl::forwardToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      if (auto* child = of(reinterpret_cast<HWND>(lParam))) return child->onCommand(HIWORD(wParam));
      return false;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (auto* child = of(header->hwndFrom)) return child->onNotify(header, result);
      return false;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (auto* child = of(item->hwndItem)) return (result = child->onDrawItem(item));
      return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (auto* child = of(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = child->backgroundBrush(reinterpret_cast<HDC>(wParam))) {
          result = reinterpret_cast<LRESULT>(brush);
          return true;
        }
      }
      return false;
    default: return false;
  }
}

}  // namespace platform::win32
