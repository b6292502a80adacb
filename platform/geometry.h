#pragma once

#include <cstdint>

namespace platform {

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

struct Size {
  int width = 0, height = 0;
  bool operator==(const Size&) const = default;
};

// A Windows colour value, 0x00BBGGRR.
using Colour = std::uint32_t;

}  // namespace platform
