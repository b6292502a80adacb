#pragma once

#include <span>

#include "platform/control_spec.h"

namespace app {

// The start-up window and every control on it, parents before children. The order is
// also the order of the keyboard focus (Tab) and of overlapping: an earlier control lies
// above a later one, so the note and the buttons come before the chosen area they stand on.
std::span<const platform::ControlSpec> startupWindowDesign();

}  // namespace app
