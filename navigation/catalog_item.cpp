#include "navigation/catalog_item.h"

namespace navigation {

std::optional<CatalogItem> apiOfEntry(const library::Catalog& catalog, std::int32_t entryNumber) {
  const library::CatalogEntry* entry = catalog.entry(entryNumber);
  if (!entry) return std::nullopt;
  return CatalogItem{library::DeclarationKind::dllCommand, entryNumber, gbk::Text(entry->chineseName)};
}

gbk::Text chosenItemText(const CatalogItem& item, const library::CatalogEntry& entry) {
  if (item.kind == library::DeclarationKind::dataType) return gbk::Text(kDataTypeItemPrefix) + item.name;
  return gbk::Text(entry.englishName) + " / " + item.name;
}

library::DeclarationName declarationOf(const CatalogItem& item) { return {item.kind, gbk::trim(item.name)}; }

}  // namespace navigation
