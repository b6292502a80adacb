#include "platform/win32/buttons.h"

namespace platform::win32 {

bool NativeButton::onCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  button_.userClicked();
  return true;
}

void NativeRadio::create(HWND parent, bool firstOfGroup) {
  NativeControl::create(parent, L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP | (firstOfGroup ? WS_GROUP : 0));
  showChecked(radio_.checked());
}

void NativeRadio::showChecked(bool checked) {
  SendMessageW(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool NativeRadio::onCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  radio_.userClicked();
  return true;
}

}  // namespace platform::win32
