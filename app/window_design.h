#pragma once

#include <span>

#include "platform/control_spec.h"

namespace app {

// The start-up window and every control on it, parents before children, in the order
// in which Tab moves the keyboard focus.
std::span<const platform::ControlSpec> startupWindowDesign();

}  // namespace app
