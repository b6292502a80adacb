#pragma once

#include <string_view>

#include "platform/path.h"

namespace platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // The user's documents folder, without a trailing backslash.
  virtual Path documentsFolder() = 0;
  // The folder of the running program file, without a trailing backslash.
  virtual Path programFolder() = 0;
  // The user's own folder for what the program keeps between runs, under the user's
  // application data folder (never beside the program), made if it is missing; without a
  // trailing backslash, and empty when there is none.
  virtual Path keptStateFolder() = 0;
  // Starts `file` with the shell's default verb and the command line as given (none
  // when empty), no working folder, shown normally; whether it started is not asked.
  virtual void run(const Path& file, std::u16string_view commandLine) = 0;
};

}  // namespace platform
