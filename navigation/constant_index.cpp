#include "navigation/constant_index.h"

#include <algorithm>
#include <string>

#include "library/declaration_lookup.h"

namespace navigation {
namespace {

// The library spells the SDK names in capitals; a user may type them in either case.
std::string inCapitals(std::string_view text) {
  std::string capitals(text);
  for (char& c : capitals) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return capitals;
}

}  // namespace

ConstantIndex::ConstantIndex(const library::Library& library) : constants_(library.constants) {
  const library::Catalog& catalog = library.catalog;
  library::LookupLists lists;
  for (std::int32_t n = 1; n <= catalog.size(); ++n) {
    const library::CatalogEntry* entry = catalog.entry(n);
    if (!entry) continue;
    std::optional<library::FoundDllCommand> found = library::lookUpDllCommand(library.texts, entry->chineseName, lists);
    if (!found) continue;
    gbk::Text texts = found->declarationText;
    for (const gbk::Text& dataType : lists.neededDataTypeTexts) texts += "\r\n" + dataType;
    for (const library::Constant* constant : constants_.namedIn(texts)) takers_.emplace_back(constant, n);
  }
  std::sort(takers_.begin(), takers_.end());
}

std::vector<std::int32_t> ConstantIndex::entriesTaking(std::string_view name) const {
  const library::Constant* constant = constants_.find(name);
  if (!constant) constant = constants_.find(inCapitals(name));
  std::vector<std::int32_t> entries;
  if (!constant) return entries;
  auto first = std::lower_bound(takers_.begin(), takers_.end(), std::pair{constant, std::int32_t{0}});
  for (auto taker = first; taker != takers_.end() && taker->first == constant; ++taker) entries.push_back(taker->second);
  return entries;
}

}  // namespace navigation
