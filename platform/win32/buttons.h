// Push buttons and radio buttons.
#pragma once

#include "platform/controls.h"
#include "platform/win32/native_control.h"

namespace platform::win32 {

class NativeButton : public NativeControl {
 public:
  explicit NativeButton(Button& model) : NativeControl(model), button_(model) {}
  void create(HWND parent) { NativeControl::create(parent, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP); }
  bool onCommand(WORD code) override;

 private:
  Button& button_;
};

// The model keeps the group's checks, so the buttons are not automatic ones.
class NativeRadio : public NativeControl, public RadioPeer {
 public:
  explicit NativeRadio(RadioButton& model) : NativeControl(model), radio_(model) {}
  void create(HWND parent, bool firstOfGroup);
  void showChecked(bool checked) override;
  bool onCommand(WORD code) override;

 private:
  RadioButton& radio_;
};

}  // namespace platform::win32
