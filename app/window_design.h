#pragma once

#include <span>

#include "platform/control_spec.h"

namespace app {

// The start-up window and every control on it, parents before children.
std::span<const platform::ControlSpec> startupWindowDesign();

}  // namespace app
