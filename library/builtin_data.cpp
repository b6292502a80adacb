#include "library/builtin_data.h"

#include <cstdint>

namespace library {

std::string_view blockContent(const unsigned char* block) {
  std::uint32_t length = 0;
  for (int i = 0; i < 4; ++i) length |= static_cast<std::uint32_t>(block[4 + i]) << (8 * i);
  return {reinterpret_cast<const char*>(block + 8), length};
}

}  // namespace library
