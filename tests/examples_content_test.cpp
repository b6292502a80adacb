// The shipped examples (data/examples) against the built-in library: every example carries
// the library's declarations unchanged and every data type they need, calls each command it
// declares and declares each command it calls, and its manifest line names exactly its APIs.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "library/builtin_data.h"
#include "library/catalog.h"
#include "library/declaration_lookup.h"
#include "library/declaration_syntax.h"
#include "library/gbk_codec.h"
#include "library/type_names.h"

namespace {

const std::string kExamplesDir = EXAMPLES_DIR;

struct Example {
  std::string source;    // file in sources/
  std::string fileName;  // field 1, UTF-8
  gbk::Text apis;        // field 2
  gbk::Text text;        // the source in GBK, LF line ends
};

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::vector<std::string> splitUtf8(const std::string& text, char delimiter) {
  std::vector<std::string> pieces;
  std::istringstream in(text);
  for (std::string piece; std::getline(in, piece, delimiter);) pieces.push_back(piece);
  return pieces;
}

const std::vector<Example>& examples() {
  static const std::vector<Example> all = [] {
    std::vector<Example> read;
    for (const std::string& line : splitUtf8(readFile(kExamplesDir + "/manifest.txt"), '\n')) {
      if (line.empty() || line[0] == '#') continue;
      std::vector<std::string> columns = splitUtf8(line, '|');
      if (columns.size() != 3) {
        ADD_FAILURE() << "manifest line without three columns: " << line;
        continue;
      }
      std::optional<gbk::Text> text = gbk::fromUtf8(readFile(kExamplesDir + "/sources/" + columns[0]));
      if (!text || text->empty()) {
        ADD_FAILURE() << columns[0] << ": missing, or a character outside GBK";
        continue;
      }
      read.push_back({columns[0], columns[1], *gbk::fromUtf8(columns[2]), *text});
    }
    return read;
  }();
  return all;
}

// A source is its program, then declaration blocks each after one empty line.
struct SourceParts {
  gbk::Text program;
  std::vector<gbk::Text> dllBlocks;
  std::vector<gbk::Text> typeBlocks;
  bool wellFormed = true;
};

SourceParts partsOf(const gbk::Text& text) {
  SourceParts parts;
  std::size_t cut = std::min(text.find("\n" + std::string(library::kDllCommandHeader)),
                             text.find("\n" + std::string(library::kDataTypeHeader)));
  if (cut == std::string::npos) return {text, {}, {}, true};
  parts.program = text.substr(0, cut);
  std::string_view rest = std::string_view(text).substr(cut);
  if (!rest.starts_with("\n") || !rest.ends_with("\n") || rest.ends_with("\n\n")) parts.wellFormed = false;
  rest.remove_prefix(1);
  rest.remove_suffix(1);
  for (const gbk::Text& block : gbk::split(rest, "\n\n")) {
    if (block.starts_with(library::kDllCommandHeader) && parts.typeBlocks.empty()) {
      parts.dllBlocks.push_back(block);
    } else if (block.starts_with(library::kDataTypeHeader)) {
      parts.typeBlocks.push_back(block);
    } else {
      parts.wellFormed = false;
    }
  }
  return parts;
}

gbk::Text headerName(const gbk::Text& block, std::string_view keyword) {
  return block.substr(keyword.size(), block.find(',') - keyword.size());
}

// The library's block as the sources write it: without the shown text's head, LF line ends.
gbk::Text asSourceBlock(const gbk::Text& declarationText) {
  gbk::Text block = declarationText.substr(declarationText.find("\r\n\r\n") + 4);
  gbk::Text lf;
  for (char c : block) {
    if (c != '\r') lf += c;
  }
  while (lf.ends_with("\n")) lf.pop_back();
  return lf;
}

// A call is the name followed by " (", standing after a space, "(", "," or a line start.
bool calls(const gbk::Text& program, const gbk::Text& name) {
  gbk::Text call = name + " (";
  for (int pos = gbk::find(program, call); pos != gbk::kNotFound; pos = gbk::find(program, call, pos + 1)) {
    if (pos == 1 || std::string_view(" (,\n").find(program[pos - 2]) != std::string_view::npos) return true;
  }
  return false;
}

// The types of the program's variables and parameters (".局部变量 名称, 类型", ...).
std::set<gbk::Text> variableTypes(const gbk::Text& program) {
  std::set<gbk::Text> types;
  for (const gbk::Text& line : gbk::split(program, "\n")) {
    if (!line.starts_with(".局部变量 ") && !line.starts_with(".参数 ") && !line.starts_with(".程序集变量 ")) continue;
    std::vector<gbk::Text> fields = gbk::split(line, ",");
    if (fields.size() >= 2) types.insert(gbk::trim(fields[1]));
  }
  return types;
}

std::vector<gbk::Text> libraryCommandNames() {
  std::vector<gbk::Text> names;
  for (const gbk::Text& line : gbk::split(library::dllCommandLibraryText(), "\r\n")) {
    if (line.starts_with(library::kDllCommandHeader)) names.push_back(headerName(line, library::kDllCommandHeader));
  }
  return names;
}

TEST(ExamplesContent, ManifestNamesEveryExampleOnceWithItsFileName) {
  std::set<std::string> names;
  for (const Example& example : examples()) {
    EXPECT_TRUE(example.fileName.ends_with(".e")) << example.fileName;
    EXPECT_TRUE(names.insert(example.fileName).second) << "repeated: " << example.fileName;
  }
}

TEST(ExamplesContent, SourcesAreProgramsFollowedByDeclarationBlocks) {
  for (const Example& example : examples()) {
    SCOPED_TRACE(example.source);
    EXPECT_EQ(example.text.find_first_of("\t\r"), std::string::npos);
    EXPECT_TRUE(example.text.starts_with(std::string(library::kVersionLine) + "\n\n.程序集 "));
    SourceParts parts = partsOf(example.text);
    EXPECT_TRUE(parts.wellFormed) << "declarations must follow the program, DLL commands first, one empty line apart";
    EXPECT_FALSE(parts.dllBlocks.empty());
  }
}

TEST(ExamplesContent, DeclarationsAreTheLibrarysAndCarryTheDataTypesTheyNeed) {
  for (const Example& example : examples()) {
    SCOPED_TRACE(example.source);
    SourceParts parts = partsOf(example.text);
    std::set<gbk::Text> needed;
    for (const gbk::Text& block : parts.dllBlocks) {
      gbk::Text name = headerName(block, library::kDllCommandHeader);
      library::DllCommandRecord record;
      gbk::Text text;
      library::LookupLists lists;
      ASSERT_TRUE(library::lookUpDllCommand(name, false, record, text, lists)) << gbk::toUtf8(name);
      EXPECT_EQ(gbk::toUtf8(block), gbk::toUtf8(asSourceBlock(text)));
      for (const gbk::Text& type : record.parameterTypes) {
        if (!library::isBasicTypeName(type)) needed.insert(type);
      }
    }
    std::set<gbk::Text> carried;
    for (const gbk::Text& block : parts.typeBlocks) {
      gbk::Text name = headerName(block, library::kDataTypeHeader);
      library::DataTypeRecord record;
      gbk::Text text;
      ASSERT_TRUE(library::lookUpDataType(name, record, text)) << gbk::toUtf8(name);
      EXPECT_EQ(gbk::toUtf8(block), gbk::toUtf8(asSourceBlock(text)));
      EXPECT_TRUE(carried.insert(name).second) << "carried twice: " << gbk::toUtf8(name);
    }
    for (const gbk::Text& type : needed) EXPECT_TRUE(carried.count(type)) << "not carried: " << gbk::toUtf8(type);
    std::set<gbk::Text> used = variableTypes(parts.program);
    for (const gbk::Text& type : carried) {
      EXPECT_TRUE(needed.count(type) || used.count(type)) << "carried for nothing: " << gbk::toUtf8(type);
    }
  }
}

TEST(ExamplesContent, CodeCallsExactlyTheDeclaredCommands) {
  static const std::vector<gbk::Text> library = libraryCommandNames();
  for (const Example& example : examples()) {
    SCOPED_TRACE(example.source);
    SourceParts parts = partsOf(example.text);
    std::set<gbk::Text> declared;
    for (const gbk::Text& block : parts.dllBlocks) {
      gbk::Text name = headerName(block, library::kDllCommandHeader);
      EXPECT_TRUE(declared.insert(name).second) << "declared twice: " << gbk::toUtf8(name);
      EXPECT_TRUE(calls(parts.program, name)) << "declared, not called: " << gbk::toUtf8(name);
    }
    for (const gbk::Text& name : library) {
      if (declared.count(name)) continue;
      EXPECT_FALSE(calls(parts.program, name)) << "called, not declared: " << gbk::toUtf8(name);
    }
  }
}

TEST(ExamplesContent, ManifestNamesTheCatalogEntriesOfTheDeclaredCommands) {
  std::map<gbk::Text, std::vector<gbk::Text>> entryOf;  // Chinese name -> catalog fields
  for (const gbk::Text& line : library::buildCatalogLineList(library::apiCatalogText())) {
    std::vector<gbk::Text> fields = gbk::split(line, ",");
    entryOf[fields[2]] = fields;
  }
  for (const Example& example : examples()) {
    SCOPED_TRACE(example.source);
    ASSERT_TRUE(example.apis.ends_with("/"));
    std::vector<gbk::Text> listed = gbk::split(example.apis, "/");
    std::set<gbk::Text> named(listed.begin(), listed.end());
    EXPECT_EQ(named.size(), listed.size()) << "a name twice";
    std::set<gbk::Text> expected;
    for (const gbk::Text& block : partsOf(example.text).dllBlocks) {
      const std::vector<gbk::Text>& entry = entryOf[headerName(block, library::kDllCommandHeader)];
      ASSERT_GE(entry.size(), 3u);
      expected.insert(entry[0]);
    }
    EXPECT_EQ(named, expected);
  }
}

}  // namespace
