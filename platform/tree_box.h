// The tree box of the category tree.
#pragma once

#include "platform/control.h"

namespace platform {

// Its nodes come with the category tree.
class TreeBox : public Control {
 public:
  using Control::Control;
};

}  // namespace platform
