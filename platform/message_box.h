#pragma once

#include <string_view>

namespace platform {

enum class MessageIcon { None, Warning, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Task-modal message boxes without an owner window.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer show(std::string_view text, std::string_view caption, MessageIcon icon,
                             MessageButtons buttons) = 0;
};

}  // namespace platform
