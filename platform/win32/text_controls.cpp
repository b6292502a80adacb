#include "platform/win32/text_controls.h"

namespace platform::win32 {

void NativeEdit::create(HWND parent) {
  DWORD style = edit_.multiLine() ? ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL;
  NativeControl::create(parent, L"EDIT", style | WS_TABSTOP, WS_EX_CLIENTEDGE);
  subclass_.install<subclassProcedure>(hwnd(), reinterpret_cast<DWORD_PTR>(this));
}

void NativeEdit::showText(std::string_view /*text*/) {
  textWaiting_ = true;
  if (GetWindowLongPtrW(hwnd(), GWL_STYLE) & WS_VISIBLE) takeWaitingText();
}

void NativeEdit::showVisible(bool shown) {
  if (shown) takeWaitingText();
  NativeControl::showVisible(shown);
}

void NativeEdit::takeWaitingText() {
  if (!textWaiting_) return;
  textWaiting_ = false;
  echoing_ = true;
  NativeControl::showText(edit_.text());
  echoing_ = false;
}

LRESULT NativeEdit::subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR data) {
  // Whoever reads the text, its length, its lines or the selection reads the model's.
  const bool asksAboutText = message == WM_GETTEXT || message == WM_GETTEXTLENGTH || message == WM_COPY ||
                             (message >= EM_GETSEL && message <= EM_GETIMESTATUS);
  if (asksAboutText) reinterpret_cast<NativeEdit*>(data)->takeWaitingText();
  return WindowSubclass::passOn(hwnd, message, wParam, lParam);
}

bool NativeEdit::onCommand(WORD code) {
  if (code != EN_CHANGE) return false;
  if (!echoing_) edit_.userTyped(windowText(hwnd()));
  return true;
}

bool NativeEdit::preTranslate(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR) return false;
  auto* self = dynamic_cast<NativeEdit*>(of(msg.hwnd));
  if (!self || self->edit_.multiLine() || !self->edit_.onKeyPressed) return false;
  // Enter reaches the handler (key code 13) instead of the dialog manager's default button.
  if (msg.message == WM_KEYDOWN) self->edit_.userPressedKey(static_cast<int>(msg.wParam));
  return msg.wParam == VK_RETURN;
}

}  // namespace platform::win32
