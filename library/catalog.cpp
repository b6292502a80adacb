#include "library/catalog.h"

#include <utility>

namespace library {

std::vector<gbk::Text> buildCatalogLineList(std::string_view catalogText) {
  return gbk::split(catalogText, "\r\n");
}

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
