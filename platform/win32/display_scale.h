// The screen's scale. The manifest declares the program aware of the system's DPI, so
// Windows draws nothing enlarged for it: every length, font and picture of the window
// is scaled to this by the program itself.
#pragma once

#include "platform/geometry.h"

namespace platform::win32 {

// Pixels per inch of the screen, as the user's display settings give it.
Scale displayScale();

}  // namespace platform::win32
