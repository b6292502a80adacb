// Tab control: its pages' controls are its child windows.
#pragma once

#include <functional>

#include "platform/controls.h"
#include "platform/win32/handles.h"
#include "platform/win32/native_control.h"

namespace platform::win32 {

class NativeTab : public NativeControl, public TabPeer {
 public:
  explicit NativeTab(TabControl& model) : NativeControl(model), tab_(model) {}
  void create(HWND parent);
  void showPage(int page) override;
  void showText(std::string_view) override {}
  bool onNotify(NMHDR* header, LRESULT& result) override;

  // Called before a page comes on view, whoever shows it: its controls may still be unmade.
  std::function<void(int page)> beforePageShown;

 private:
  static LRESULT subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR data);
  TabControl& tab_;
  WindowSubclass subclass_;
};

}  // namespace platform::win32
