// The wizard's built-in data, compiled in as GBK byte blocks (see data/README.md).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace library {

// The content of a stored block: u32 1, u32 length, then that many bytes.
std::string_view blockContent(const unsigned char* block);

// The tables of a library text's header index (library/header_index.h), made by the build.
struct BuiltInIndex {
  std::span<const std::uint32_t> starts;
  std::span<const std::uint32_t> byName;
};

// A place in a built-in text: offset and length.
struct TextPlace {
  std::uint32_t offset;
  std::uint32_t length;
};

// The catalog as the build read it (library/catalog.h): one row for each line that is an
// entry, its fields as places in the catalog text, its data type names the `typeCount`
// places from `firstType` on in `typeNames`.
struct BuiltInCatalogRow {
  std::int32_t number;
  TextPlace line, englishName, category, chineseName;
  std::uint32_t firstType, typeCount;
};
struct BuiltInCatalog {
  std::int32_t lines;
  std::span<const BuiltInCatalogRow> rows;
  std::span<const TextPlace> typeNames;
  std::span<const std::int32_t> indexOrders[2];  // library::Catalog::indexOrder
  std::string_view chineseTree;                  // library::Catalog::chineseTree
};

// The constants library as the build read it (library/constants.h): the fields of each
// constant as places in its text, and the constants in the order of their names.
struct BuiltInConstantRow {
  TextPlace name, value, comment, line;
};
struct BuiltInConstants {
  std::span<const BuiltInConstantRow> rows;
  std::span<const std::uint32_t> byName;
};

std::string_view dllCommandLibraryText();      // ".DLL命令" blocks
std::string_view dataTypeLibraryText();        // ".数据类型" blocks
std::string_view apiCatalogText();             // one catalog entry per line
std::string_view constantLibraryText();        // ".常量" lines: the SDK constants (library/constants.h)
std::string_view libraryProgramImage();        // both library texts as a program image (docs/program-image.md)
std::string_view glossaryText();               // the English words of API names in Chinese (library/glossary.h)
BuiltInIndex dllCommandLibraryTextIndex();     // where the ".DLL命令" blocks begin, and by name
BuiltInIndex dataTypeLibraryTextIndex();       // where the ".数据类型" blocks begin, and by name
BuiltInCatalog apiCatalogTextEntries();        // the catalog's entries
BuiltInConstants constantLibraryTextTables();  // the constants library's tables

}  // namespace library
