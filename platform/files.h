#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/path.h"

namespace platform {

// A file held open read-only with no sharing: while this object lives no other process can
// open, change or delete it, so its bytes, read whole at the open, stay the file's bytes.
class HeldFile {
 public:
  virtual ~HeldFile() = default;
  virtual std::span<const unsigned char> bytes() const = 0;
};

// Why a file could not be held: the user is told differently that a file is not there
// and that another program has it open.
enum class HoldFault { none, missing, inUse, unreadable };

struct Hold {
  std::unique_ptr<HeldFile> file;  // null unless `fault` is none
  HoldFault fault = HoldFault::none;
};

// A whole file, read without holding it.
struct Read {
  std::string bytes;
  HoldFault fault = HoldFault::none;  // unreadable also for a file larger than asked
};

// Files as the examples need them; relative paths are resolved against the current folder.
class Files {
 public:
  virtual ~Files() = default;
  virtual bool exists(const Path& path) = 0;
  // Makes a new file and writes the bytes; false when a file of that name exists or the
  // bytes cannot all be written, in which case a part of them may remain in the file.
  virtual bool createNew(const Path& path, std::string_view bytes) = 0;
  // Gives the file `from` the name `to` in the same folder; a file named `to` is replaced
  // only when `replaceExisting` says so, and otherwise the rename fails.
  virtual bool rename(const Path& from, const Path& to, bool replaceExisting) = 0;
  virtual bool remove(const Path& path) = 0;
  // Opens the file read-only and exclusive and reads it whole. `unreadable` also covers a
  // file too large to hold in memory.
  virtual Hold holdExclusive(const Path& path) = 0;
  // Reads the file whole, unless it is larger than `largest` bytes: then nothing is read.
  virtual Read readAtMost(const Path& path, std::size_t largest) = 0;
};

}  // namespace platform
