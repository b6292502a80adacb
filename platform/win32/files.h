// Files of the real platform.
#pragma once

#include "platform/files.h"

namespace platform::win32 {

class Win32Files : public Files {
 public:
  bool exists(const Path& path) override;
  bool createNew(const Path& path, std::string_view bytes) override;
  bool rename(const Path& from, const Path& to, bool replaceExisting) override;
  bool remove(const Path& path) override;
  Hold holdExclusive(const Path& path) override;
  Read readAtMost(const Path& path, std::size_t largest) override;
};

}  // namespace platform::win32
