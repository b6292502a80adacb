// Checks the built-in texts against the rules that the wizard relies on: encoding,
// line ends, block layout, header/parameter/member shapes, the catalog's fields and
// order, and that a plain first-occurrence search finds every declaration.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace library {

struct DataViolation {
  std::string item;  // "dll", "types" or "catalog"
  int line = 0;      // 1-based; 0 for the item as a whole
  std::string rule;  // GBK
};

std::vector<DataViolation> validateBuiltinData(std::string_view dllText, std::string_view typeText,
                                               std::string_view catalogText);

// The constants library ("constants"): ".版本 2", an empty line, then one `.常量` line per
// constant, each name once, its value a 32-bit decimal as E writes it ("64", "-1"), its
// comment beginning with the header that defines it.
std::vector<DataViolation> validateConstantLibrary(std::string_view constantText);

}  // namespace library
