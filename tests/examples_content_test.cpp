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

#include "base/gbk_codec.h"
#include "library/builtin_data.h"
#include "library/catalog.h"
#include "library/declaration_lookup.h"
#include "library/declaration_syntax.h"
#include "library/program_source.h"
#include "library/type_names.h"
#include "tests/shared_library.h"

namespace {

const std::string kExamplesDir = EXAMPLES_DIR;

struct Example {
  std::string source;    // file in sources/
  std::string fileName;  // field 1, UTF-8
  gbk::Text apis;        // field 2
  gbk::Text text;        // the source in GBK, CR LF line ends
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
      if (!text || text->empty() || text->find_first_of("\t\r") != std::string::npos) {
        ADD_FAILURE() << columns[0] << ": missing, or a tab, CR or character outside GBK";
        continue;
      }
      // The build writes the sources with CR LF line ends.
      gbk::Text crlf;
      for (char c : *text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
      read.push_back({columns[0], columns[1], *gbk::fromUtf8(columns[2]), crlf});
    }
    return read;
  }();
  return all;
}

library::ProgramImage programOf(const Example& example) { return library::parseProgramSource(example.text).program; }

// The library's block as a parsed source holds it: without the shown text's head, CR LF
// after every line.
gbk::Text libraryBlock(const gbk::Text& declarationText) {
  gbk::Text block = declarationText.substr(declarationText.find("\r\n\r\n") + 4);
  while (block.ends_with("\r\n")) block.resize(block.size() - 2);
  return block + "\r\n";
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
  for (const gbk::Text& line : gbk::split(program, "\r\n")) {
    if (!line.starts_with(".局部变量 ") && !line.starts_with(".参数 ") && !line.starts_with(".程序集变量 ")) continue;
    std::vector<gbk::Text> fields = gbk::split(line, ",");
    if (fields.size() >= 2) types.insert(gbk::trim(fields[1]));
  }
  return types;
}

std::vector<gbk::Text> libraryCommandNames() {
  std::vector<gbk::Text> names;
  for (const gbk::Text& line : gbk::split(library::dllCommandLibraryText(), "\r\n")) {
    if (!line.starts_with(library::kDllCommandHeader)) continue;
    std::size_t start = library::kDllCommandHeader.size();
    names.push_back(line.substr(start, line.find(',') - start));
  }
  return names;
}

TEST(ExamplesContent, ManifestNamesAtLeastAHundredExamplesOnceEach) {
  std::set<std::string> names;
  for (const Example& example : examples()) {
    EXPECT_TRUE(example.fileName.ends_with(".e")) << example.fileName;
    EXPECT_TRUE(names.insert(example.fileName).second) << "repeated: " << example.fileName;
  }
  EXPECT_GE(examples().size(), 100u);
}

TEST(ExamplesContent, SourcesAreCanonicalProgramsOfOneProgramSet) {
  for (const Example& example : examples()) {
    SCOPED_TRACE(example.source);
    library::ProgramSourceParsing parsing = library::parseProgramSource(example.text);
    ASSERT_TRUE(parsing.ok()) << "line " << parsing.error.line << ": " << parsing.error.reason;
    EXPECT_EQ(library::formatProgramSource(parsing.program), example.text);
    ASSERT_EQ(parsing.program.programSets.size(), 1u);
    EXPECT_EQ(parsing.program.programSets[0].name, "窗口程序集_启动窗口");
    EXPECT_FALSE(parsing.program.dllCommands.empty());
  }
}

TEST(ExamplesContent, DeclarationsAreTheLibrarysAndCarryTheDataTypesTheyNeed) {
  for (const Example& example : examples()) {
    SCOPED_TRACE(example.source);
    library::ProgramImage program = programOf(example);
    std::set<gbk::Text> needed;
    for (const library::ImageDeclaration& command : program.dllCommands) {
      library::LookupLists lists;
      std::optional<library::FoundDllCommand> found =
          library::lookUpDllCommand(sharedLibrary().texts, command.name, lists);
      ASSERT_TRUE(found) << gbk::toUtf8(command.name);
      EXPECT_EQ(gbk::toUtf8(command.source), gbk::toUtf8(libraryBlock(found->declarationText)));
      for (const library::Parameter& parameter : found->record.parameters) {
        if (!library::isBasicTypeName(parameter.type)) needed.insert(parameter.type);
      }
    }
    std::set<gbk::Text> carried;
    for (const library::ImageDeclaration& type : program.dataTypes) {
      std::optional<library::FoundDataType> found = library::lookUpDataType(sharedLibrary().texts, type.name);
      ASSERT_TRUE(found) << gbk::toUtf8(type.name);
      EXPECT_EQ(gbk::toUtf8(type.source), gbk::toUtf8(libraryBlock(found->declarationText)));
      carried.insert(type.name);
    }
    for (const gbk::Text& type : needed) EXPECT_TRUE(carried.count(type)) << "not carried: " << gbk::toUtf8(type);
    std::set<gbk::Text> used = variableTypes(program.programSets.at(0).source);
    for (const gbk::Text& type : carried) {
      EXPECT_TRUE(needed.count(type) || used.count(type)) << "carried for nothing: " << gbk::toUtf8(type);
    }
  }
}

TEST(ExamplesContent, CodeCallsExactlyTheDeclaredCommands) {
  static const std::vector<gbk::Text> library = libraryCommandNames();
  for (const Example& example : examples()) {
    SCOPED_TRACE(example.source);
    library::ProgramImage program = programOf(example);
    const gbk::Text& code = program.programSets.at(0).source;
    std::set<gbk::Text> declared;
    for (const library::ImageDeclaration& command : program.dllCommands) {
      declared.insert(command.name);
      EXPECT_TRUE(calls(code, command.name)) << "declared, not called: " << gbk::toUtf8(command.name);
    }
    for (const gbk::Text& name : library) {
      if (declared.count(name)) continue;
      EXPECT_FALSE(calls(code, name)) << "called, not declared: " << gbk::toUtf8(name);
    }
  }
}

TEST(ExamplesContent, ManifestNamesTheCatalogEntriesOfTheDeclaredCommandsAndEveryCategoryHasExamples) {
  std::map<std::string_view, library::CatalogEntry> entryOf;  // by Chinese name
  std::set<std::string_view> categories;
  library::Catalog catalog(library::apiCatalogText());
  for (std::int32_t n = 1; n <= catalog.size(); ++n) {
    const library::CatalogEntry& entry = *catalog.entry(n);
    entryOf[entry.chineseName] = entry;
    if (!entry.generated()) categories.insert(entry.category);  // examples cover the hand-written categories
  }
  std::set<std::string_view> covered;
  for (const Example& example : examples()) {
    SCOPED_TRACE(example.source);
    ASSERT_TRUE(example.apis.ends_with("/"));
    std::vector<gbk::Text> listed = gbk::split(example.apis, "/");
    std::set<gbk::Text> named(listed.begin(), listed.end());
    EXPECT_EQ(named.size(), listed.size()) << "a name twice";
    std::set<gbk::Text> expected;
    for (const library::ImageDeclaration& command : programOf(example).dllCommands) {
      ASSERT_TRUE(entryOf.count(command.name)) << gbk::toUtf8(command.name);
      expected.emplace(entryOf[command.name].englishName);
      covered.insert(entryOf[command.name].category);
    }
    EXPECT_EQ(named, expected);
  }
  EXPECT_EQ(covered, categories);
}

}  // namespace
