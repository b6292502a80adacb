#pragma once

#include <string>
#include <string_view>

namespace platform {

// Paths are GBK.
class Shell {
 public:
  virtual ~Shell() = default;
  // The user's documents folder, without a trailing backslash.
  virtual std::string documentsFolder() = 0;
  // The folder of the running program file, without a trailing backslash.
  virtual std::string programFolder() = 0;
  // Starts `file` with the shell's default verb and the command line as given (none
  // when empty), no working folder, shown normally; whether it started is not asked.
  virtual void run(std::string_view file, std::string_view commandLine) = 0;
};

}  // namespace platform
