#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// A file held open read-only with no sharing: while this object lives no other process can
// open, change or delete it, so its bytes, read whole at the open, stay the file's bytes.
class HeldFile {
 public:
  virtual ~HeldFile() = default;
  virtual std::span<const unsigned char> bytes() const = 0;
};

// Files as the examples need them; paths are GBK, relative ones resolved against the
// current folder.
class Files {
 public:
  virtual ~Files() = default;
  virtual bool exists(std::string_view path) = 0;
  // Makes a new file and writes the bytes; false when a file of that name exists or the
  // bytes cannot all be written, in which case a part of them may remain in the file.
  virtual bool createNew(std::string_view path, std::string_view bytes) = 0;
  // Gives the file `from` the name `to` in the same folder; a file named `to` is replaced
  // only when `replaceExisting` says so, and otherwise the rename fails.
  virtual bool rename(std::string_view from, std::string_view to, bool replaceExisting) = 0;
  virtual bool remove(std::string_view path) = 0;
  // Opens the file read-only and exclusive and reads it whole; nullptr if it is missing,
  // held elsewhere, unreadable or too large to hold in memory.
  virtual std::unique_ptr<HeldFile> holdExclusive(std::string_view path) = 0;
};

}  // namespace platform
