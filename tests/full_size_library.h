// The built-in library at the size it takes with the declarations generated from the
// SDK headers: the hand-written catalog, then each of its entries six times more as a
// generated one, renamed ("GetDCV2007" for copy 2 of entry 7), filed under the DLL
// that its block names, with its E name, the English name and "_", and a DLL command
// block of its own. About 6,000 entries, made in the test, never shipped as data.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "library/builtin_data.h"
#include "library/catalog.h"
#include "library/declaration_lookup.h"
#include "library/library.h"
#include "tests/shared_library.h"

struct FullSizeLibrary {
  std::string catalog;
  std::string dllCommands;
  std::string dataTypes;
};

inline const FullSizeLibrary& fullSizeLibrary() {
  static const FullSizeLibrary full = [] {
    constexpr int kCopies = 6;
    const library::Catalog handWritten(library::apiCatalogText());
    struct Generated {
      std::string dll, englishName, line, block;
    };
    std::vector<Generated> generated;
    for (std::int32_t n = 1; n <= handWritten.size(); ++n) {
      const library::CatalogEntry* entry = handWritten.entry(n);
      library::LookupLists lists;
      std::optional<library::FoundDllCommand> found =
          entry ? library::lookUpDllCommand(sharedLibrary().texts, entry->chineseName, lists) : std::nullopt;
      // The generator files every declaration under the DLL that exports it.
      if (!found || found->record.dllFile.empty()) continue;
      // The block as it stands in the text: the declaration text without its head.
      const std::string& text = found->declarationText;
      std::string block = text.substr(text.find(".DLL命令 "));
      block.erase(block.find_last_not_of("\r\n") + 1);
      const std::string afterName = block.substr(block.find(',')) + "\r\n";
      for (int copy = 1; copy <= kCopies; ++copy) {
        const std::string english = std::string(entry->englishName) + "V" + std::to_string(copy * 1000 + n);
        std::string line = english + "," + found->record.dllFile + "," + english + "_";
        for (std::string_view type : entry->dataTypeNames) (line += ",") += type;
        generated.push_back({found->record.dllFile, english, line, ".DLL命令 " + english + "_" + afterName});
      }
    }
    // The generator writes one catalog file a DLL, its lines in order of the English name.
    std::stable_sort(generated.begin(), generated.end(), [](const Generated& a, const Generated& b) {
      return std::tie(a.dll, a.englishName) < std::tie(b.dll, b.englishName);
    });
    FullSizeLibrary library{std::string(library::apiCatalogText()), std::string(library::dllCommandLibraryText()),
                            std::string(library::dataTypeLibraryText())};
    for (const Generated& g : generated) {
      library.catalog += g.line + "\r\n";
      library.dllCommands += "\r\n" + g.block;
    }
    return library;
  }();
  return full;
}

// The same as a library that a wizard can show, with the built-in constants.
inline const library::Library& fullSizeWizardLibrary() {
  static const library::Library full{library::LibraryTexts(fullSizeLibrary().dllCommands, fullSizeLibrary().dataTypes),
                                     library::Catalog(fullSizeLibrary().catalog),
                                     library::ConstantLibrary::builtIn(),
                                     {},
                                     library::Glossary(library::glossaryText())};
  return full;
}
