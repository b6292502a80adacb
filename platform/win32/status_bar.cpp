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
  const auto& parts = bar_.parts();
  if (parts.empty()) return;
  std::vector<int> rightEdges;
  int edge = 0;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) rightEdges.push_back(edge += parts[i].width);
  rightEdges.push_back(-1);  // the last part takes the rest
  SendMessageW(hwnd(), SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
  for (std::size_t i = 0; i < parts.size(); ++i) {
    SendMessageW(hwnd(), SB_SETTEXTW, i, reinterpret_cast<LPARAM>(wide(parts[i].text).c_str()));
  }
}

}  // namespace platform::win32
