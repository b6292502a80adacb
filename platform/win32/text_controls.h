// Labels and edit boxes.
#pragma once

#include "platform/controls.h"
#include "platform/win32/handles.h"
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

// A hidden edit box takes a new text of the model when it is shown or asked about its
// text: the edit control lays out every line of a text it is given, and the text form
// is refilled, hidden behind the table, at each step through the tree.
class NativeEdit : public NativeControl {
 public:
  explicit NativeEdit(EditBox& model) : NativeControl(model), edit_(model) {}
  void create(HWND parent);
  void showText(std::string_view text) override;
  void showVisible(bool shown) override;
  bool onCommand(WORD code) override;
  // Keys that the edit box reports to the model before the dialog manager sees them.
  static bool preTranslate(const MSG& msg);

 private:
  void takeWaitingText();
  static LRESULT subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR data);
  EditBox& edit_;
  bool echoing_ = false;      // the model set the text: no content changed event
  bool textWaiting_ = false;  // the model's text is newer than the window's
  WindowSubclass subclass_;
};

}  // namespace platform::win32
