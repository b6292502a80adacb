// The grid of the declaration view.
#pragma once

#include "platform/control.h"

namespace platform {

// Its cells come with the declaration view.
class Grid : public Control {
 public:
  using Control::Control;
};

}  // namespace platform
