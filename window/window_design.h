#pragma once

#include <span>

#include "platform/control_design.h"

namespace window {

// The start-up window and every control on it, parents before children, in the order
// in which Tab moves the keyboard focus.
std::span<const platform::ControlDesign> startupWindowDesign();

}  // namespace window
