// The Win32 side of a control: a child window that shows the model's state and
// reports the user's actions back to it. Parents forward WM_COMMAND, WM_NOTIFY,
// WM_DRAWITEM and WM_CTLCOLORSTATIC/BTN to the child they concern, which calls exactly
// one handler of its model.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <string_view>

#include "platform/control.h"

namespace platform::win32 {

std::wstring wide(std::string_view gbkText);
std::string narrow(const std::wstring& text);
std::string windowText(HWND hwnd);

// Registers the common controls' window classes that the controls are made of.
void registerCommonControls();

// The controls' font: 宋体, 12 pixels of the design, GB2312 character set.
HFONT controlFont();
// The controls' font's metrics on this screen.
const TEXTMETRICW& controlFontMetrics();
// A new font of the system's default GUI face at `points` on this screen; the caller owns it.
HFONT createDefaultGuiFont(int points);

class NativeControl : public virtual ControlPeer {
 public:
  explicit NativeControl(Control& model) : model_(model) {}
  ~NativeControl() override;

  // The child window's ID, given before it is created: tools outside the program find
  // a control by it.
  void setControlId(int id) { controlId_ = id; }
  // Creates the child window inside `parent` from the model's state; `param` reaches
  // WM_NCCREATE (the window classes of our own take their object there).
  void create(HWND parent, const wchar_t* windowClass, DWORD style, DWORD exStyle = 0, void* param = nullptr);
  // Takes a window made elsewhere (the top-level window) as this control's.
  void adopt(HWND hwnd);
  HWND hwnd() const { return hwnd_; }
  Control& model() const { return model_; }

  void showRect(const Rect& rect) override;
  void showVisible(bool shown) override;
  void showEnabled(bool enabled) override;
  void showText(std::string_view text) override;
  void takeFocus() override;
  bool hasFocus() const override;

  // Notifications from the parent; true when handled, with the result in `result`.
  virtual bool onCommand(WORD /*code*/) { return false; }
  virtual bool onNotify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
  virtual bool onDrawItem(DRAWITEMSTRUCT* /*item*/) { return false; }
  // The brush for WM_CTLCOLOR…; null for the system's default.
  virtual HBRUSH backgroundBrush(HDC /*dc*/) { return nullptr; }

  // The control that owns a child window, or null.
  static NativeControl* of(HWND hwnd);

  // A container's window procedure passes its messages here first.
  static bool forwardToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 protected:
  // Rectangle for CreateWindow and MoveWindow; a drop-down list adds its list's height.
  virtual Rect nativeRect(const Rect& rect) const { return rect; }

 private:
  Control& model_;
  HWND hwnd_ = nullptr;
  int controlId_ = 0;
  // Where the window was put: a move to the same place is a round trip to the server
  // for nothing, and the layout puts every control on each size change.
  Rect placed_;
};

}  // namespace platform::win32
