// Files of the real platform.
#pragma once

#include "platform/files.h"

namespace platform::win32 {

class Win32Files : public Files {
 public:
  bool exists(std::string_view path) override;
  bool createNew(std::string_view path, std::string_view bytes) override;
  bool rename(std::string_view from, std::string_view to, bool replaceExisting) override;
  bool remove(std::string_view path) override;
  std::unique_ptr<HeldFile> holdExclusive(std::string_view path) override;
};

}  // namespace platform::win32
