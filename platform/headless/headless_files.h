// The in-memory twin of the file system for the native tests.
#pragma once

#include <limits>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/files.h"

namespace platform::headless {

// Paths are compared unit for unit. An exclusive hold reads the bytes in place: until it
// is released the path cannot be held again (it is in use) or written, and its entry must
// stay as it is.
class HeadlessFiles : public Files {
 public:
  bool exists(const Path& path) override;
  bool createNew(const Path& path, std::string_view bytes) override;
  bool rename(const Path& from, const Path& to, bool replaceExisting) override;
  bool remove(const Path& path) override;
  Hold holdExclusive(const Path& path) override;
  Read readAtMost(const Path& path, std::size_t largest) override;

  bool held(const Path& path) const { return heldPaths->count(path) != 0; }

  std::map<Path, std::string> contents;  // path → bytes
  // Folders (paths ending in "\") in which no file can be made, as one that may not be written.
  std::set<Path> unwritableFolders;
  // Bytes that can still be written, as on a disk about to be full: a write beyond them
  // leaves the part that fitted and fails.
  std::size_t room = std::numeric_limits<std::size_t>::max();

 private:
  std::shared_ptr<std::set<Path>> heldPaths = std::make_shared<std::set<Path>>();
};

}  // namespace platform::headless
