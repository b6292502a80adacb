// The real platform: Win32 windows for the models, and the message loop.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/ui.h"
#include "platform/win32/native_control.h"

namespace platform::win32 {

class MainWindow;

class Win32Ui : public Ui {
 public:
  Win32Ui();
  ~Win32Ui() override;
  Scale displayScale() const override;
  Rect workArea(const Rect& around) const override;
  void realize(Control& control, const ControlDesign& design, int designIndex) override;
  int run(Window& window) override;

 private:
  // A control whose window is still to be made, with what its making needs.
  struct Unmade {
    Control* control;
    ControlDesign design;
    int designIndex;  // the control ID
    std::size_t focusSlot;
    bool firstOfGroup;
  };
  void make(const Unmade& unmade);
  // Makes the next control of a page not on view, if one is left.
  void makeNextUnmade();
  // Makes what is still unmade of a page that comes on view.
  void makePage(const Control& tab, int page);
  HWND parentWindow(const Control& control) const;
  // One message of the loop: Esc, Tab and the edit boxes' keys first, then the dialog
  // manager, then the window procedure.
  void dispatch(Window& window, MSG& msg);
  // Tab and Shift+Tab follow the design's order, whatever the windows' stacking.
  void moveFocus(bool backwards);
  std::vector<NativeControl*> focusOrder_;  // null for a control not made yet
  std::vector<Unmade> unmade_;              // in the design's order
  // The controls on view are made when the window is about to show, after its first
  // layout, in the design's order. Containers lie beneath their siblings (the note and the
  // buttons stand over the chosen area, the form radio buttons over the frame's top edge),
  // and a child window is made beneath the siblings made before it: so the containers and
  // what they hold are made last.
  std::vector<Unmade> uncontainedLater_;
  std::vector<Unmade> containedLater_;
  std::set<const Control*> containers_;  // and the controls they hold, made or not
  std::map<const Control*, std::unique_ptr<NativeControl>> natives_;
  std::set<std::string> radioGroups_;  // parent and page of the groups begun so far
  MainWindow* main_ = nullptr;
};

}  // namespace platform::win32
