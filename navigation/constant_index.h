// Which APIs take a constant: for the search by a constant's name, built once from the
// declarations of the whole catalog, so that each search is a lookup.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "library/constants.h"
#include "library/library.h"

namespace navigation {

class ConstantIndex {
 public:
  // Looks up every DLL command of the catalog and the data types it needs, and notes the
  // constants that their texts name (ConstantLibrary::namedIn). Keeps the library.
  explicit ConstantIndex(const library::Library& library);

  // The catalog entries whose DLL command, or a data type it needs, names the constant
  // `name` (its SDK name, ASCII letters in either case). Entry numbers, ascending; none
  // when `name` is no constant of the library.
  std::vector<std::int32_t> entriesTaking(std::string_view name) const;

 private:
  const library::ConstantLibrary& constants_;
  // (constant, entry number), sorted: a constant's entries stand together, ascending.
  std::vector<std::pair<const library::Constant*, std::int32_t>> takers_;
};

}  // namespace navigation
