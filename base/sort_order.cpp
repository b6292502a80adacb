#include "base/sort_order.h"

#include <algorithm>

namespace base {
namespace {

unsigned char folded(char c) {
  auto b = static_cast<unsigned char>(c);
  return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b - 'A' + 'a') : b;
}

bool sortsBeforeByCharacters(std::string_view a, std::string_view b) {
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

}  // namespace

AnsiOrWide formOf(std::string_view name) {
  if (name.size() < 2 || (name.back() != 'A' && name.back() != 'W')) return AnsiOrWide::neither;
  const char before = name[name.size() - 2];
  if ((before < 'a' || before > 'z') && (before < '0' || before > '9')) return AnsiOrWide::neither;
  return name.back() == 'A' ? AnsiOrWide::ansi : AnsiOrWide::wide;
}

bool sortsBefore(std::string_view a, std::string_view b) {
  const AnsiOrWide formA = formOf(a);
  const AnsiOrWide formB = formOf(b);
  if (formA == AnsiOrWide::neither && formB == AnsiOrWide::neither) return sortsBeforeByCharacters(a, b);
  // An A or W form sorts as its neutral name, right after it: the A form first.
  const std::string_view stemA = formA == AnsiOrWide::neither ? a : a.substr(0, a.size() - 1);
  const std::string_view stemB = formB == AnsiOrWide::neither ? b : b.substr(0, b.size() - 1);
  if (stemA != stemB) return sortsBeforeByCharacters(stemA, stemB);
  return formA < formB;
}

}  // namespace base
