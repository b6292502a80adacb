#pragma once

#include <string>

namespace platform {

// The save-file dialog of the start-up window and the shell's folder picker. Texts are
// GBK. The settings are kept here, the same on every platform; the dialogs themselves
// are shown by the platform's subclass.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  void setSaveInitialFolder(std::string folder) { saveInitialFolder_ = std::move(folder); }
  const std::string& saveInitialFolder() const { return saveInitialFolder_; }

 private:
  std::string saveInitialFolder_;
};

}  // namespace platform
