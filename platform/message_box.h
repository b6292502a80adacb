#pragma once

#include <string_view>

namespace platform {

enum class MessageIcon { none, warning, question };
enum class MessageButtons { ok, yesNo };
enum class MessageAnswer { ok, yes, no };

// Task-modal message boxes without an owner window.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer show(std::string_view text, std::string_view caption, MessageIcon icon,
                             MessageButtons buttons) = 0;
};

}  // namespace platform
