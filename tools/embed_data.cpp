// Build step: turns the UTF-8 data sources into the GBK items compiled into the wizard.
//
//   embed_data OUT.cpp ITEM [--library-text [--index dll|type | --constants] | --catalog] FILE...
//                      [-- ITEM [--library-text [--index dll|type]] FILE...]...
//                      [-- ITEM --program-image DLL_ITEM TYPE_ITEM]
//
// Each ITEM becomes `std::string_view ITEM()` in OUT.cpp. Its files are converted to
// GBK with CR LF line ends and joined line after line; a library text joins its files
// with one empty line between them (its blocks are so separated) and begins with
// ".版本 2" and an empty line. A program image is built from two earlier library text
// items, the DLL command text first (docs/program-image.md). Every item is stored as a
// byte block: u32 1, u32 length, then the bytes. A library text with --index also gets
// `BuiltInIndex ITEMIndex()`, the tables of its header index for DLL commands or data
// types (library/header_index.h), and the catalog with --catalog `BuiltInCatalog
// ITEMEntries()`, its entries as library::Catalog reads them (library/catalog.h) and the
// category tree that shows them at start: so that the wizard does not build or split
// them at start-up; a library text with --constants
// gets `BuiltInConstants ITEMTables()`, the tables of library::ConstantLibrary.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <ranges>
#include <span>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "base/byte_writer.h"
#include "base/gbk_codec.h"
#include "library/catalog.h"
#include "library/constants.h"
#include "library/declaration_syntax.h"
#include "library/header_index.h"
#include "library/program_image.h"
#include "navigation/category_tree_content.h"

namespace {

struct Item {
  std::string name;
  bool libraryText = false;
  bool programImage = false;
  std::string_view indexHeader;  // empty: no index
  bool catalog = false;
  bool constants = false;
  std::vector<std::string> files;  // of a program image: the names of its two text items
};

bool fail(const std::string& file, std::size_t line, const std::string& what) {
  std::cerr << file << ":" << line << ": " << what << "\n";
  return false;
}

// Appends the file's lines, converted, to `out`; false (with a message) on bad input.
bool appendFile(const std::string& path, bool libraryText, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return fail(path, 0, "cannot read the file");
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::string utf8 = buffer.str();
  while (!utf8.empty() && utf8.back() == '\n') utf8.pop_back();
  if (utf8.empty()) return true;
  if (libraryText && !out.empty()) out += "\r\n";
  std::size_t lineNumber = 1;
  std::size_t lineStart = 0;
  while (lineStart <= utf8.size()) {
    std::size_t lineEnd = utf8.find('\n', lineStart);
    if (lineEnd == std::string::npos) lineEnd = utf8.size();
    std::string_view line(utf8.data() + lineStart, lineEnd - lineStart);
    for (char c : line) {
      if (c == '\r') return fail(path, lineNumber, "CR inside a line (save the file with LF line ends)");
      if (c == '\t') return fail(path, lineNumber, "tab character");
      if (c == '\0') return fail(path, lineNumber, "NUL byte");
    }
    std::size_t bad = 0;
    auto converted = gbk::fromUtf8(line, &bad);
    if (!converted) {
      return fail(path, lineNumber, "character outside GBK or malformed UTF-8 at column " + std::to_string(bad + 1));
    }
    out += *converted;
    out += "\r\n";
    lineStart = lineEnd + 1;
    ++lineNumber;
  }
  return true;
}

void writeItem(std::ostream& os, const std::string& name, const std::string& bytes) {
  std::uint32_t length = static_cast<std::uint32_t>(bytes.size());
  os << "alignas(4) const unsigned char k_" << name << "[] = {1,0,0,0,";
  for (unsigned char byte : base::littleEndian32(length)) os << static_cast<unsigned>(byte) << ",";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    os << static_cast<unsigned>(static_cast<unsigned char>(bytes[i])) << ',';
    if (i % 32 == 31) os << '\n';
  }
  os << "};\n";
}

// A table and, after it, a span of its values: the array has one more, as C++ has no
// array of none.
template <std::ranges::contiguous_range Values>
void writeTable(std::ostream& os, const std::string& name, const Values& values) {
  const std::string type = std::is_signed_v<std::ranges::range_value_t<Values>> ? "std::int32_t" : "std::uint32_t";
  os << "const " << type << " k_" << name << "[] = {";
  for (std::size_t i = 0; i < values.size(); ++i) os << values[i] << (i % 16 == 15 ? ",\n" : ",");
  os << "0};\nconst std::span<const " << type << "> " << name << "(k_" << name << ", " << values.size() << ");\n";
}

// A field of a text as a TextPlace initializer: its offset from `base`, the text's start, and its length.
std::string textPlace(const char* base, std::string_view field) {
  return "{" + std::to_string(field.data() - base) + "," + std::to_string(field.size()) + "}";
}

// The entries of the catalog text, as places in it, and the function that gives them.
// Each array has a last row more, as C++ has no array of none.
void writeCatalog(std::ostream& os, std::ostream& functions, const std::string& name, const std::string& bytes) {
  const library::Catalog catalog(bytes);
  const char* base = catalog.text().data();
  auto place = [base](std::string_view field) { return textPlace(base, field); };
  std::size_t rows = 0;
  std::vector<std::string_view> typeNames;
  os << "const BuiltInCatalogRow k_" << name << "_rows[] = {\n";
  for (std::int32_t n = 1; n <= catalog.size(); ++n) {
    const library::CatalogEntry* entry = catalog.entry(n);
    if (!entry) continue;
    os << "{" << n << "," << place(entry->line) << "," << place(entry->englishName) << "," << place(entry->category)
       << "," << place(entry->chineseName) << "," << typeNames.size() << "," << entry->dataTypeNames.size() << "},\n";
    typeNames.insert(typeNames.end(), entry->dataTypeNames.begin(), entry->dataTypeNames.end());
    ++rows;
  }
  os << "{0,{0,0},{0,0},{0,0},{0,0},0,0}};\nconst TextPlace k_" << name << "_types[] = {";
  for (std::string_view type : typeNames) os << place(type) << ",";
  os << "{0,0}};\n";
  writeTable(os, name + "_byEnglishName", catalog.indexOrder(false));
  writeTable(os, name + "_byChineseName", catalog.indexOrder(true));
  writeItem(os, name + "_chineseTree", navigation::buildCategoryTreeContent(catalog, true));
  functions << "BuiltInCatalog " << name << "Entries() {\n  return {" << catalog.size() << ", std::span(k_" << name
            << "_rows, " << rows << "), std::span(k_" << name << "_types, " << typeNames.size() << "), {" << name
            << "_byEnglishName, " << name << "_byChineseName}, blockContent(k_" << name << "_chineseTree)};\n}\n";
}

// The tables of the constants library text and the function that gives them.
void writeConstants(std::ostream& os, std::ostream& functions, const std::string& name, const std::string& bytes) {
  const library::ConstantLibrary library(bytes);
  const library::ConstantLibrary::Tables tables = library.tables();
  auto place = [base = tables.text.data()](std::string_view field) { return textPlace(base, field); };
  os << "const BuiltInConstantRow k_" << name << "_rows[] = {\n";
  for (const library::Constant& c : tables.constants) {
    os << "{" << place(c.name) << "," << place(c.value) << "," << place(c.comment) << "," << place(c.line) << "},\n";
  }
  os << "{{0,0},{0,0},{0,0},{0,0}}};\n";
  writeTable(os, name + "_byName", tables.byName);
  functions << "BuiltInConstants " << name << "Tables() {\n  return {std::span(k_" << name << "_rows, "
            << tables.constants.size() << "), " << name << "_byName};\n}\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: embed_data OUT.cpp ITEM [--library-text] FILE... [-- ITEM ...]\n";
    return 2;
  }
  std::vector<Item> items;
  bool startItem = true;
  for (int i = 2; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--") {
      startItem = true;
    } else if (startItem) {
      items.emplace_back();
      items.back().name = arg;
      startItem = false;
    } else if (arg == "--library-text") {
      items.back().libraryText = true;
    } else if (arg == "--program-image") {
      items.back().programImage = true;
    } else if (arg == "--constants") {
      items.back().constants = true;
    } else if (arg == "--catalog") {
      items.back().catalog = true;
    } else if (arg == "--index" && i + 1 < argc) {
      std::string kind = argv[++i];
      if (kind != "dll" && kind != "type") {
        std::cerr << "--index takes dll or type\n";
        return 2;
      }
      items.back().indexHeader = kind == "dll" ? library::kDllCommandHeader : library::kDataTypeHeader;
    } else {
      items.back().files.push_back(arg);
    }
  }

  std::ostringstream os;
  os << "// Generated by embed_data from the files in data/. Do not edit.\n"
        "#include \"library/builtin_data.h\"\n\nnamespace library {\nnamespace {\n";
  std::map<std::string, std::string> built;
  std::ostringstream catalogFunctions;
  std::ostringstream constantFunctions;
  for (const Item& item : items) {
    std::string bytes;
    if (item.programImage) {
      if (item.files.size() != 2 || !built.count(item.files[0]) || !built.count(item.files[1])) {
        std::cerr << item.name << ": --program-image needs two earlier items\n";
        return 1;
      }
      library::ImageWriting image = library::buildLibraryProgramImage(built[item.files[0]], built[item.files[1]]);
      if (!image.ok()) {
        std::cerr << item.name << ": " << library::describe(image.error) << " " << gbk::toUtf8(image.error.name)
                  << "\n";
        return 1;
      }
      bytes = std::move(image.bytes);
    } else {
      std::string body;
      for (const std::string& file : item.files) {
        if (!appendFile(file, item.libraryText, body)) return 1;
      }
      bytes = (item.libraryText ? std::string(library::kVersionLead) + "2\r\n\r\n" : std::string()) + body;
    }
    writeItem(os, item.name, bytes);
    if (item.catalog) writeCatalog(os, catalogFunctions, item.name, bytes);
    if (item.constants) writeConstants(os, constantFunctions, item.name, bytes);
    if (!item.indexHeader.empty()) {
      library::HeaderIndex::Tables tables = library::HeaderIndex::build(bytes, item.indexHeader);
      writeTable(os, item.name + "_starts", tables.starts);
      writeTable(os, item.name + "_byName", tables.byName);
    }
    built[item.name] = bytes;
  }
  os << "}  // namespace\n\n";
  for (const Item& item : items) {
    os << "std::string_view " << item.name << "() { return blockContent(k_" << item.name << "); }\n";
    if (item.catalog) os << catalogFunctions.str();
    if (item.constants) os << constantFunctions.str();
    if (item.indexHeader.empty()) continue;
    os << "BuiltInIndex " << item.name << "Index() { return {" << item.name << "_starts, " << item.name
       << "_byName}; }\n";
  }
  os << "\n}  // namespace library\n";

  std::string out = os.str();
  std::ifstream existing(argv[1], std::ios::binary);
  std::stringstream old;
  old << existing.rdbuf();
  if (old.str() == out) return 0;  // keep the timestamp: nothing to recompile
  std::ofstream(argv[1], std::ios::binary) << out;
  return 0;
}
