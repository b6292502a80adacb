#include "platform/win32/tab_control.h"

#include <commctrl.h>

#include "platform/win32/display_scale.h"

namespace platform::win32 {

void NativeTab::create(HWND parent) {
  NativeControl::create(parent, WC_TABCONTROLW, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CONTROLPARENT);
  // Narrow padding: the four catalog pages fit side by side in the designed width. Set
  // before the pages: the tab control measures a page's header when it is inserted.
  SendMessageW(hwnd(), TCM_SETPADDING, 0, MAKELPARAM(displayScale().px(4), displayScale().px(3)));
  for (std::size_t i = 0; i < tab_.pages().size(); ++i) {
    std::wstring caption = wide(tab_.pages()[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(hwnd(), TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(hwnd(), TCM_SETCURSEL, tab_.currentPage(), 0);
  // The pages' controls notify the tab control: pass their notifications on to them.
  subclass_.install<subclassProcedure>(hwnd(), 0);
}

void NativeTab::showPage(int page) {
  if (beforePageShown) beforePageShown(page);
  if (SendMessageW(hwnd(), TCM_GETCURSEL, 0, 0) != page) SendMessageW(hwnd(), TCM_SETCURSEL, page, 0);
}

bool NativeTab::onNotify(NMHDR* header, LRESULT& result) {
  if (header->code != TCN_SELCHANGE) return false;
  tab_.userChangedPage(static_cast<int>(SendMessageW(hwnd(), TCM_GETCURSEL, 0, 0)));
  result = 0;
  return true;
}

LRESULT NativeTab::subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR) {
  LRESULT result = 0;
  if (forwardToChild(message, wParam, lParam, result)) return result;
  if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) {
    // Controls on a page stand on the page's face.
    SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  return WindowSubclass::passOn(hwnd, message, wParam, lParam);
}

}  // namespace platform::win32
