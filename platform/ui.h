// The platform's windowing: gives controls their native side and runs the window.
#pragma once

#include "platform/control_design.h"
#include "platform/controls.h"

namespace platform {

class Ui {
 public:
  virtual ~Ui() = default;

  // The scale of the display on which the window opens.
  virtual Scale displayScale() const = 0;

  // The work area (the screen less its task bars) of the screen that shows most of
  // `around`, or of the main screen when none shows any of it.
  virtual Rect workArea(const Rect& around) const = 0;

  // Creates the native side of `control`, which already holds its initial state and
  // its parent; parents are realized before their children. `designIndex` is the
  // control's place in its window's design table, which the native side takes as its
  // control ID.
  virtual void realize(Control& control, const ControlDesign& design, int designIndex) = 0;

  // Lays the window out (its size changed event), raises its created event, shows it,
  // raises its first painted event and runs the message loop until it is destroyed;
  // returns the exit code.
  virtual int run(Window& window) = 0;
};

}  // namespace platform
