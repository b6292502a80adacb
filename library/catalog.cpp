#include "library/catalog.h"

#include <iterator>
#include <utility>

namespace library {

Catalog::Catalog(std::string_view catalogText) {
  for (gbk::Text& line : gbk::split(catalogText, "\r\n")) {
    std::vector<gbk::Text> fields = gbk::split(line, ",");
    if (fields.size() < 3) {
      entries_.emplace_back();
      continue;
    }
    CatalogEntry entry{std::move(line), std::move(fields[0]), std::move(fields[1]), std::move(fields[2]), {}};
    entry.dataTypeNames.assign(std::make_move_iterator(fields.begin() + 3), std::make_move_iterator(fields.end()));
    entries_.emplace_back(std::move(entry));
  }
}

const CatalogEntry* Catalog::entry(std::int32_t number) const {
  if (number < 1 || number > size()) return nullptr;
  const std::optional<CatalogEntry>& found = entries_[static_cast<std::size_t>(number) - 1];
  return found ? &*found : nullptr;
}

// A hand-written declaration's name is Chinese, so never the English name and "_".
bool CatalogEntry::generated() const {
  return chineseName.size() == englishName.size() + 1 && chineseName.starts_with(englishName) &&
         chineseName.back() == '_';
}

gbk::Text apiItemText(const CatalogEntry& entry) { return entry.englishName + " / " + entry.chineseName; }

std::string_view exportedEntryName(std::string_view englishName) {
  static constexpr std::pair<std::string_view, std::string_view> kExports[] = {
      {"DeletePrinterDriver", "DeletePrinterDriverA"},  // winspool.drv exports only the A and W forms
      {"DrawTextEx", "DrawTextExA"},                    // user32.dll: only the A and W forms
      {"EnumDateFormats", "EnumDateFormatsA"},          // kernel32.dll: only the A and W forms
      {"EnumSystemCodePages", "EnumSystemCodePagesA"},  // kernel32.dll: only the A and W forms
      {"EnumSystemLocales", "EnumSystemLocalesA"},      // kernel32.dll: only the A and W forms
      {"EnumTimeFormats", "EnumTimeFormatsA"},          // kernel32.dll: only the A and W forms
  };
  for (const auto& [english, exported] : kExports) {
    if (englishName == english) return exported;
  }
  return englishName;
}

}  // namespace library
