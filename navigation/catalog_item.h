// What an item of the navigation stands for: a DLL command or a data type that the
// catalog names. Tree nodes and API lists give one; the chosen API list holds them.
// Item texts are made from it for display and never read back.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "base/gbk_text.h"
#include "library/catalog.h"
#include "library/declaration_copy.h"
#include "library/program_image.h"

namespace navigation {

// "数据类型：", which begins the text of a data type item (10 bytes).
inline constexpr std::string_view kDataTypeItemPrefix = "数据类型：";

struct CatalogItem {
  library::DeclarationKind kind = library::DeclarationKind::dllCommand;
  // The API's own catalog entry; for a data type, the first entry that names it.
  std::int32_t entryNumber = 0;
  // As the catalog writes it: the DLL command's Chinese name, or the data type's name.
  gbk::Text name;

  bool operator==(const CatalogItem&) const = default;
};

// The API of catalog entry `entryNumber`; none for a number that names no entry.
std::optional<CatalogItem> apiOfEntry(const library::Catalog& catalog, std::int32_t entryNumber);

// Finds the item that a name from outside stands for (a list kept between runs): the
// DLL command of that Chinese name, or the data type of that name with the first entry
// that names it, as the category tree gives it; none when the catalog does not hold it.
class CatalogItemFinder {
 public:
  explicit CatalogItemFinder(const library::Catalog& catalog);
  std::optional<CatalogItem> find(library::DeclarationKind kind, std::string_view name) const;

 private:
  // Names to entry numbers: the first entry wins.
  std::unordered_map<std::string_view, std::int32_t> dllCommands_, dataTypes_;
};

// The text that the chosen API list shows, `entry` being the item's catalog entry: for an
// API its English name, " / " and its Chinese name; for a data type "数据类型：" and its name.
gbk::Text chosenItemText(const CatalogItem& item, const library::CatalogEntry& entry);

// The declaration that the item names, its name trimmed of spaces of both widths.
library::DeclarationName declarationOf(const CatalogItem& item);

}  // namespace navigation
