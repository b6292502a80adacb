#include "platform/win32/status_bar.h"

#include <commctrl.h>

#include <vector>

namespace platform::win32 {

void NativeStatusBar::create(HWND parent) {
  NativeControl::create(parent, STATUSCLASSNAMEW, SBARS_SIZEGRIP | CCS_BOTTOM);
  RECT r{};
  GetWindowRect(hwnd(), &r);
  bar_.nativePlaced({bar_.rect().left, bar_.rect().top, r.right - r.left, r.bottom - r.top});
  showParts();
}

void NativeStatusBar::showParts() {
  if (bar_.parts().empty()) return;
  showPartWidths();
  for (std::size_t i = 0; i < bar_.parts().size(); ++i) showPartText(i);
}

void NativeStatusBar::showPartText(std::size_t part) {
  SendMessageW(hwnd(), SB_SETTEXTW, part, reinterpret_cast<LPARAM>(wide(bar_.parts()[part].text).c_str()));
}

void NativeStatusBar::showPartWidths() {
  const auto& parts = bar_.parts();
  std::vector<int> rightEdges;
  int edge = 0;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) rightEdges.push_back(edge += parts[i].width);
  rightEdges.push_back(-1);  // the last part takes the rest
  SendMessageW(hwnd(), SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
}

}  // namespace platform::win32
