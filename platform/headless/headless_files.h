// The in-memory twin of the file system for the native tests.
#pragma once

#include <limits>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/files.h"

namespace platform::headless {

// Paths are compared byte for byte. An exclusive hold reads the bytes in place: until it
// is released the path cannot be held again or written, and its entry must stay as it is.
class HeadlessFiles : public Files {
 public:
  bool exists(std::string_view path) override;
  bool createNew(std::string_view path, std::string_view bytes) override;
  bool rename(std::string_view from, std::string_view to, bool replaceExisting) override;
  bool remove(std::string_view path) override;
  std::unique_ptr<HeldFile> holdExclusive(std::string_view path) override;

  bool held(std::string_view path) const { return heldPaths->count(std::string(path)) != 0; }

  std::map<std::string, std::string, std::less<>> contents;  // path → bytes
  // Folders (paths ending in "\") in which no file can be made, as one that may not be written.
  std::set<std::string, std::less<>> unwritableFolders;
  // Bytes that can still be written, as on a disk about to be full: a write beyond them
  // leaves the part that fitted and fails.
  std::size_t room = std::numeric_limits<std::size_t>::max();

 private:
  std::shared_ptr<std::set<std::string>> heldPaths = std::make_shared<std::set<std::string>>();
};

}  // namespace platform::headless
