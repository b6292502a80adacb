#pragma once

#include <optional>
#include <string>

namespace platform {

// The save-file dialog of the start-up window and the shell's folder picker. Texts are GBK.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void setSaveInitialFolder(std::string folder) = 0;
  virtual const std::string& saveInitialFolder() const = 0;
};

}  // namespace platform
