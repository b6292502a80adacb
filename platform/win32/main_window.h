// The top-level start-up window.
#pragma once

#include "platform/controls.h"
#include "platform/win32/native_control.h"
#include "platform/win32/window_base.h"

namespace platform::win32 {

class MainWindow : public NativeControl, public WindowPeer, public WindowBase<MainWindow> {
 public:
  static constexpr const wchar_t* kClassName = L"KelvaneWizardWindow";
  static constexpr COLORREF kBackground = RGB(224, 227, 237);
  static constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  static constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

  explicit MainWindow(Window& model);
  // Creates the window hidden, with the model's outer size, centred on the screen.
  void createCentred();
  // From now on size changes reach the model (all controls exist).
  void startLayout();

  // The control that takes the focus whenever the window is activated: the one that had
  // it when the window was last left, or the one given it before the window was shown
  // (activating a hidden window costs as much as showing it).
  void giveFocusOnActivation(HWND control) { focusOnActivation_ = control; }

  void showRect(const Rect& outer) override;
  void destroy() override { DestroyWindow(hwnd()); }
  void tickEvery(int milliseconds) override;
  HBRUSH backgroundBrush(HDC dc) override;

  static HBRUSH background();

 protected:
  LRESULT handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Tells the model where the window is, unless it is minimised or maximised.
  void reportPlace();

  Window& window_;
  bool laidOut_ = false;
  HWND focusOnActivation_ = nullptr;
};

}  // namespace platform::win32
