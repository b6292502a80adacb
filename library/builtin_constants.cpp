// The built-in constants library from the tables that the build wrote
// (tools/embed_data.cpp), apart from the library's reading: the build's data tool reads
// the library and has no tables.
#include "library/builtin_data.h"
#include "library/constants.h"

namespace library {

ConstantLibrary::ConstantLibrary(std::string_view text, const BuiltInConstants& built) : text_(text) {
  auto at = [this](TextPlace place) { return std::string_view(text_).substr(place.offset, place.length); };
  constants_.reserve(built.rows.size());
  for (const BuiltInConstantRow& row : built.rows) {
    constants_.push_back(Constant{at(row.name), at(row.value), at(row.comment), at(row.line)});
  }
  byName_.assign(built.byName.begin(), built.byName.end());
}

ConstantLibrary ConstantLibrary::builtIn() {
  return ConstantLibrary(constantLibraryText(), constantLibraryTextTables());
}

}  // namespace library
