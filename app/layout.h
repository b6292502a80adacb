#pragma once

#include "window/startup_window.h"

namespace app {

// Places the controls for the window's client size, its display's scale and the status
// bar's height.
void layOut(window::StartupWindow& w);

// The smallest client area in which no control overlaps another or the status bar, and
// the declaration frame still shows its table's heading row and one more.
platform::Size minimumClientSize(const window::StartupWindow& w);

}  // namespace app
