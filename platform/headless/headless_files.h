// The in-memory twin of the file system for the native tests.
#pragma once

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
  bool write(std::string_view path, std::string_view bytes) override;
  std::unique_ptr<HeldFile> holdExclusive(std::string_view path) override;

  bool held(std::string_view path) const { return heldPaths->count(std::string(path)) != 0; }

  std::map<std::string, std::string, std::less<>> contents;  // path → bytes
  // Paths whose write fails, as in a folder that may not be written.
  std::set<std::string, std::less<>> unwritable;

 private:
  std::shared_ptr<std::set<std::string>> heldPaths = std::make_shared<std::set<std::string>>();
};

}  // namespace platform::headless
