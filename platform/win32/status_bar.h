#pragma once

#include "platform/controls.h"
#include "platform/win32/native_control.h"

namespace platform::win32 {

// The status bar places itself along the bottom of the window; the model learns its real height.
class NativeStatusBar : public NativeControl, public StatusPeer {
 public:
  explicit NativeStatusBar(StatusBar& model) : NativeControl(model), bar_(model) {}
  void create(HWND parent);
  void showRect(const Rect&) override {}
  void showText(std::string_view) override {}
  void showParts() override;
  void showPartText(std::size_t part) override;
  void showPartWidths() override;

 private:
  StatusBar& bar_;
};

}  // namespace platform::win32
