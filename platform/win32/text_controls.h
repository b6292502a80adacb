// Labels and edit boxes.
#pragma once

#include "platform/controls.h"
#include "platform/win32/native_control.h"

namespace platform::win32 {

// The note stands over the chosen area's tab control: it takes the face colour of its pages.
class NativeLabel : public NativeControl {
 public:
  explicit NativeLabel(Label& model) : NativeControl(model) {}
  void create(HWND parent) { NativeControl::create(parent, L"STATIC", SS_LEFT | SS_NOPREFIX); }
  HBRUSH backgroundBrush(HDC dc) override {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
  }
};

class NativeEdit : public NativeControl {
 public:
  explicit NativeEdit(EditBox& model) : NativeControl(model), edit_(model) {}
  void create(HWND parent);
  void showText(std::string_view text) override;
  bool onCommand(WORD code) override;
  // Keys that the edit box reports to the model before the dialog manager sees them.
  static bool preTranslate(const MSG& msg);

 private:
  EditBox& edit_;
  bool echoing_ = false;  // the model set the text: no content changed event
};

}  // namespace platform::win32
