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

// A display's pixels per inch. The window's design is drawn at 96: a length of the
// design becomes px(length) pixels on the display, rounded half away from zero as
// Windows' MulDiv rounds.
struct Scale {
  int dpi = 96;
  int px(int length) const { return length < 0 ? -px(-length) : (length * dpi + 48) / 96; }
  Rect rect(const Rect& r) const { return {px(r.left), px(r.top), px(r.width), px(r.height)}; }
  bool operator==(const Scale&) const = default;
};

// A Windows colour value, 0x00BBGGRR.
using Colour = std::uint32_t;

}  // namespace platform
