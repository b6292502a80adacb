#include "base/sort_order.h"

#include <algorithm>

namespace base {
namespace {

unsigned char folded(char c) {
  auto b = static_cast<unsigned char>(c);
  return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b - 'A' + 'a') : b;
}

}  // namespace

bool sortsBefore(std::string_view a, std::string_view b) {
  std::size_t n = std::min(a.size(), b.size());
  // A trail byte is never folded: up to the first difference both texts have the same
  // characters, so a lead byte in one is a lead byte in the other.
  bool trail = false;
  for (std::size_t i = 0; i < n; ++i) {
    auto x = static_cast<unsigned char>(a[i]);
    auto y = static_cast<unsigned char>(b[i]);
    if (!trail) {
      x = folded(a[i]);
      y = folded(b[i]);
    }
    if (x != y) return x < y;
    trail = !trail && x >= 0x81 && x <= 0xFE;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

}  // namespace base
