#include "navigation/catalog_item.h"

namespace navigation {

std::optional<CatalogItem> apiOfEntry(const library::Catalog& catalog, std::int32_t entryNumber) {
  const library::CatalogEntry* entry = catalog.entry(entryNumber);
  if (!entry) return std::nullopt;
  return CatalogItem{library::DeclarationKind::dllCommand, entryNumber, gbk::Text(entry->chineseName)};
}

CatalogItemFinder::CatalogItemFinder(const library::Catalog& catalog) {
  for (std::int32_t n = 1; n <= catalog.size(); ++n) {
    const library::CatalogEntry* entry = catalog.entry(n);
    if (!entry) continue;
    dllCommands_.try_emplace(entry->chineseName, n);
    for (std::string_view dataType : entry->dataTypeNames) {
      if (!dataType.empty()) dataTypes_.try_emplace(dataType, n);
    }
  }
}

std::optional<CatalogItem> CatalogItemFinder::find(library::DeclarationKind kind, std::string_view name) const {
  const auto& names = kind == library::DeclarationKind::dataType ? dataTypes_ : dllCommands_;
  auto found = names.find(name);
  if (found == names.end()) return std::nullopt;
  return CatalogItem{kind, found->second, gbk::Text(name)};
}

gbk::Text chosenItemText(const CatalogItem& item, const library::CatalogEntry& entry) {
  if (item.kind == library::DeclarationKind::dataType) return gbk::Text(kDataTypeItemPrefix) + item.name;
  return gbk::Text(entry.englishName) + " / " + item.name;
}

library::DeclarationName declarationOf(const CatalogItem& item) { return {item.kind, gbk::trim(item.name)}; }

}  // namespace navigation
