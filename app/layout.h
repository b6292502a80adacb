#pragma once

#include "window/startup_window.h"

namespace app {

// Places the controls for the window's client size, its display's scale and the status
// bar's height.
void layOut(window::StartupWindow& w);

}  // namespace app
