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
  // Creates or empties the file and writes the bytes; false if that fails.
  virtual bool write(std::string_view path, std::string_view bytes) = 0;
  // Opens the file read-only and exclusive and reads it whole; nullptr if it is missing,
  // held elsewhere, unreadable or too large to hold in memory.
  virtual std::unique_ptr<HeldFile> holdExclusive(std::string_view path) = 0;
};

}  // namespace platform
