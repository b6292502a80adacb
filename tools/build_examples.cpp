// Build step: makes the examples database and its auxiliary file from data/examples.
//
//   build_examples EXAMPLES_FOLDER OUT.edb CATALOG_FILE...
//
// Reads EXAMPLES_FOLDER/manifest.txt (format in data/examples/README.md): one record per
// example line, in order. Each example's UTF-8 source in EXAMPLES_FOLDER/sources is
// converted to GBK with CR LF line ends, parsed as E source and stored as its program
// file. The auxiliary file is written beside OUT.edb with the extension EDT. Any
// fault stops the build, naming file and line, and writes nothing.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/gbk_codec.h"
#include "library/program_image.h"
#include "library/program_source.h"
#include "tools/example_database_writer.h"

namespace {

bool fail(const std::string& file, std::size_t line, const std::string& what) {
  std::cerr << file << ":" << line << ": " << what << "\n";
  return false;
}

bool readFile(const std::string& path, std::string& content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::stringstream buffer;
  buffer << in.rdbuf();
  content = buffer.str();
  return true;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The English entry names: the first column of every catalog line.
bool readCatalogNames(const std::vector<std::string>& files, std::set<std::string>& names) {
  for (const std::string& path : files) {
    std::string text;
    if (!readFile(path, text)) return fail(path, 0, "cannot read the file");
    for (const std::string& line : linesOf(text)) {
      if (!line.empty()) names.insert(line.substr(0, line.find(',')));
    }
  }
  return true;
}

// The example's program file, from its UTF-8 source with LF line ends.
bool readProgram(const std::string& path, std::string& program) {
  std::string utf8;
  if (!readFile(path, utf8)) return fail(path, 0, "cannot read the file");
  std::string source;
  std::size_t number = 0;
  for (const std::string& line : linesOf(utf8)) {
    ++number;
    if (line.find('\r') != std::string::npos)
      return fail(path, number, "CR inside a line (save the file with LF line ends)");
    std::size_t bad = 0;
    auto converted = gbk::fromUtf8(line, &bad);
    if (!converted)
      return fail(path, number, "character outside GBK at byte " + std::to_string(bad + 1) + " of the line");
    source += *converted + "\r\n";
  }
  library::ProgramSourceParsing parsing = library::parseProgramSource(source);
  if (!parsing.ok()) return fail(path, parsing.error.line, parsing.error.reason);
  library::ImageWriting writing = library::writeProgramImage(parsing.program);
  if (!writing.ok()) return fail(path, 0, library::describe(writing.error));
  program = std::move(writing.bytes);
  return true;
}

// Split on the bytes themselves: the line is UTF-8, whose bytes a GBK walk would misread.
std::vector<std::string> columnsOf(const std::string& line) {
  std::vector<std::string> columns;
  for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
    end = line.find('|', start);
    columns.push_back(line.substr(start, end == std::string::npos ? end : end - start));
  }
  return columns;
}

bool validFileName(const std::string& name) {
  return name.size() > 2 && name.ends_with(".e") && name.find_first_of("\\/:*?\"<>|") == std::string::npos;
}

bool readApiNames(const std::string& column, const std::set<std::string>& catalog, std::string& problem) {
  if (column.empty() || !column.ends_with("/")) {
    problem = "the API names must each be followed by /";
    return false;
  }
  std::set<std::string> seen;
  for (std::size_t start = 0, end; start < column.size(); start = end + 1) {
    end = column.find('/', start);
    std::string name = column.substr(start, end - start);
    if (catalog.count(name) == 0) {
      problem = "not a catalog entry: \"" + name + "\"";
      return false;
    }
    if (!seen.insert(name).second) {
      problem = "API name given twice: " + name;
      return false;
    }
  }
  return true;
}

bool readManifest(const std::string& folder, const std::set<std::string>& catalog,
                  std::vector<examples::ExampleRecord>& records) {
  const std::string manifest = folder + "/manifest.txt";
  std::string text;
  if (!readFile(manifest, text)) return fail(manifest, 0, "cannot read the file");
  std::set<std::string> fileNames;
  std::size_t number = 0;
  for (const std::string& line : linesOf(text)) {
    ++number;
    if (line.empty() || line.starts_with("#")) continue;
    std::vector<std::string> columns = columnsOf(line);
    if (columns.size() != 3) return fail(manifest, number, "a line needs exactly three columns");
    auto fileName = gbk::fromUtf8(columns[1]);
    if (!fileName || !validFileName(*fileName)) {
      return fail(manifest, number, "the file name must be GBK, end in .e and hold no \\ / : * ? \" < > |");
    }
    if (!fileNames.insert(*fileName).second) return fail(manifest, number, "file name given twice: " + columns[1]);
    std::string problem;
    if (!readApiNames(columns[2], catalog, problem)) return fail(manifest, number, problem);
    examples::ExampleRecord record{*fileName, columns[2], {}};
    if (!readProgram(folder + "/sources/" + columns[0], record.program)) {
      return fail(manifest, number, "in the example's source " + columns[0]);
    }
    records.push_back(std::move(record));
  }
  return true;
}

bool writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out.flush()) || fail(path, 0, "cannot write the file");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: build_examples EXAMPLES_FOLDER OUT.edb CATALOG_FILE...\n";
    return 2;
  }
  const std::string folder = argv[1];
  const std::string database = argv[2];
  std::set<std::string> catalog;
  std::vector<examples::ExampleRecord> records;
  if (!readCatalogNames(std::vector<std::string>(argv + 3, argv + argc), catalog) ||
      !readManifest(folder, catalog, records)) {
    return 1;
  }
  examples::WrittenDatabase written = examples::writeExampleDatabase(records);
  if (!written.ok()) {
    fail(database, 0, written.error);
    return 1;
  }
  // The paths here are the build machine's (UTF-8), so the extension is swapped by path
  // rather than by the reader's GBK name rule.
  const std::string auxiliary = std::filesystem::path(database).replace_extension(".EDT").string();
  if (!writeFile(database, written.database) || !writeFile(auxiliary, written.auxiliary)) return 1;
  std::cout << records.size() << " examples\n";
  return 0;
}
