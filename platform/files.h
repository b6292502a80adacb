#pragma once

#include <string>
#include <string_view>

namespace platform {

// Files as the examples need them; paths are GBK.
class Files {
 public:
  virtual ~Files() = default;
  virtual bool exists(std::string_view path) = 0;
  // Creates or empties the file and writes the bytes; false if that fails.
  virtual bool write(std::string_view path, std::string_view bytes) = 0;
};

}  // namespace platform
