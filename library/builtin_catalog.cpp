// The built-in catalog from the rows that the build wrote (tools/embed_data.cpp), apart
// from the catalog's reading: the build's data tool reads catalogs too and has no rows.
#include "library/builtin_data.h"
#include "library/catalog.h"

namespace library {

Catalog Catalog::builtIn() {
  Catalog catalog;
  catalog.text_ = apiCatalogText();
  const BuiltInCatalog built = apiCatalogTextEntries();
  auto at = [&catalog](TextPlace place) { return catalog.text_.substr(place.offset, place.length); };
  catalog.dataTypeNames_.reserve(built.typeNames.size());
  for (TextPlace name : built.typeNames) catalog.dataTypeNames_.push_back(at(name));
  catalog.entries_.resize(static_cast<std::size_t>(built.lines));
  const std::span<const std::string_view> typeNames(catalog.dataTypeNames_);
  for (const BuiltInCatalogRow& row : built.rows) {
    catalog.entries_[static_cast<std::size_t>(row.number) - 1] =
        CatalogEntry{at(row.line), at(row.englishName), at(row.category), at(row.chineseName),
                     typeNames.subspan(row.firstType, row.typeCount)};
  }
  for (bool chinese : {false, true}) catalog.indexOrder_[chinese] = built.indexOrders[chinese];
  catalog.chineseTree_ = built.chineseTree;
  return catalog;
}

}  // namespace library
