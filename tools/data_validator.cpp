#include "tools/data_validator.h"

#include "library/catalog.h"
#include "library/constants.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>
#include <set>
#include <tuple>

#include "base/gbk_text.h"
#include "base/sort_order.h"
#include "library/declaration_syntax.h"
#include "library/type_names.h"

namespace library {
namespace {

using gbk::Text;

const Text kParameter = Text(kBodyIndent) + Text(kParameterLead);
const Text kMember = Text(kBodyIndent) + Text(kMemberLead);

struct Line {
  int number;
  std::string_view text;
};

struct Block {
  int firstLine;
  std::vector<Line> lines;  // header first
};

class Report {
 public:
  Report(std::vector<DataViolation>& out, std::string item) : out_(out), item_(std::move(item)) {}
  void add(int line, std::string rule) { out_.push_back({item_, line, std::move(rule)}); }

 private:
  std::vector<DataViolation>& out_;
  std::string item_;
};

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool isGbk(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto b = static_cast<unsigned char>(text[i]);
    if (b == 0xFF) return false;
    if (b < 0x81) continue;
    if (i + 1 >= text.size()) return false;
    auto t = static_cast<unsigned char>(text[i + 1]);
    if (t < 0x40 || t == 0x7F || t == 0xFF) return false;
    ++i;
  }
  return true;
}

// Splits into CR LF lines, reporting bytes that no text may hold.
std::vector<Line> splitLines(std::string_view text, Report& report) {
  std::vector<Line> lines;
  if (text.empty()) {
    report.add(0, "the item is empty");
    return lines;
  }
  if (!isGbk(text)) report.add(0, "not valid GBK");
  if (text.size() < 2 || text.substr(text.size() - 2) != "\r\n") report.add(0, "the last line does not end with CR LF");
  int number = 1;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (line.find('\t') != std::string_view::npos) report.add(number, "tab character");
    if (line.find('\0') != std::string_view::npos) report.add(number, "NUL byte");
    if (line.find_first_of("\r\n") != std::string_view::npos) report.add(number, "lone CR or LF");
    lines.push_back({number++, line});
    start = end + 2;
  }
  return lines;
}

// Library texts: ".版本 2", one empty line, blocks separated by exactly one empty line.
std::vector<Block> splitBlocks(const std::vector<Line>& lines, std::string_view header, Report& report) {
  std::vector<Block> blocks;
  if (lines.empty()) return blocks;
  if (lines[0].text != kVersionLine) report.add(1, "the first line is not \".版本 2\"");
  if (lines.size() < 2 || !lines[1].text.empty()) report.add(2, "the second line is not empty");
  bool afterEmpty = true;
  for (std::size_t i = 2; i < lines.size(); ++i) {
    const Line& line = lines[i];
    if (line.text.empty()) {
      if (afterEmpty) report.add(line.number, "more than one empty line between blocks");
      afterEmpty = true;
    } else if (afterEmpty) {
      if (!startsWith(line.text, header)) report.add(line.number, "a block does not start with a header line");
      blocks.push_back({line.number, {line}});
      afterEmpty = false;
    } else {
      if (startsWith(line.text, header)) report.add(line.number, "blocks are not separated by an empty line");
      if (!blocks.empty()) blocks.back().lines.push_back(line);
    }
  }
  if (afterEmpty && lines.size() > 2) report.add(lines.back().number, "an empty line after the last block");
  return blocks;
}

// Fields separated by ", ": the first `structural` separators must carry their space.
std::vector<Text> declarationFields(std::string_view rest, std::size_t structural, int line, Report& report) {
  std::vector<Text> fields = gbk::split(rest, ",");
  for (std::size_t i = 1; i < fields.size() && i <= structural; ++i) {
    if (!startsWith(fields[i], " ")) report.add(line, "a field separator is not \", \"");
  }
  for (Text& f : fields) f = gbk::trim(f);
  return fields;
}

bool isQuoted(std::string_view field) {
  return field.size() >= 2 && field.front() == '"' && field.back() == '"' &&
         field.substr(1, field.size() - 2).find('"') == std::string_view::npos;
}

bool isValidName(std::string_view name) {
  return !name.empty() && name.find_first_of(" \",") == std::string_view::npos;
}

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Declarations generated from the SDK headers carry ASCII names: a letter, then letters,
// digits and "_", ending in "_". Hand-written names hold Chinese characters.
bool isGeneratedName(std::string_view name) {
  return name.size() >= 2 && isAsciiLetter(name.front()) && name.back() == '_' &&
         std::all_of(name.begin(), name.end(),
                     [](char c) { return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_'; });
}

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

struct DllCommand {
  Text name, entry, dll;
  std::vector<Text> parameterTypes;
  int line;
};

struct DataType {
  Text name;
  int line;
};

void checkParameter(const Line& line, DllCommand& command, Report& report) {
  if (!startsWith(line.text, kParameter)) {
    report.add(line.number, "a line inside a DLL command block is not a parameter line");
    return;
  }
  auto f = declarationFields(line.text.substr(kParameter.size()), 3, line.number, report);
  if (f.size() < 2) {
    report.add(line.number, "a parameter line has no type field");
    return;
  }
  if (!isValidName(f[0])) report.add(line.number, "a parameter name is empty or holds a space, comma or quote");
  if (f.size() >= 3 && f[2] != "" && f[2] != "传址" && f[2] != "数组" && f[2] != "传址 数组") {
    report.add(line.number, "parameter flags are not empty, \"传址\", \"数组\" or \"传址 数组\"");
  }
  command.parameterTypes.push_back(f[1]);
}

void checkMember(const Line& line, Report& report) {
  if (!startsWith(line.text, kMember)) {
    report.add(line.number, "a line inside a data type block is not a member line");
    return;
  }
  auto f = declarationFields(line.text.substr(kMember.size()), 4, line.number, report);
  if (f.size() != 2 && f.size() < 4) report.add(line.number, "a member line has not 2 or at least 4 fields");
  if (f.size() < 2) return;
  if (!isValidName(f[0])) report.add(line.number, "a member name is empty or holds a space, comma or quote");
  if (f[1].empty() || !isBasicTypeName(f[1])) report.add(line.number, "a member type is not a basic type");
  if (f.size() >= 3 && !f[2].empty()) report.add(line.number, "member flags are not empty");
  if (f.size() >= 4 && !f[3].empty()) {
    std::string_view count = f[3];
    bool ok = isQuoted(count) && count.size() > 2 && count[1] != '0' &&
              std::all_of(count.begin() + 1, count.end() - 1, [](char c) { return c >= '0' && c <= '9'; });
    if (!ok) report.add(line.number, "dimensions are not a positive count in double quotes");
  }
}

std::vector<DllCommand> checkDllText(std::string_view text, Report& report) {
  std::vector<DllCommand> commands;
  for (const Block& block : splitBlocks(splitLines(text, report), kDllCommandHeader, report)) {
    const Line& header = block.lines[0];
    if (!startsWith(header.text, kDllCommandHeader)) continue;
    auto h = declarationFields(header.text.substr(kDllCommandHeader.size()), 5, header.number, report);
    if (h.size() < 6) {
      report.add(header.number, "a DLL command header has fewer than 6 fields");
      continue;
    }
    auto unquoted = [](const Text& field) { return field.size() >= 2 ? field.substr(1, field.size() - 2) : Text(); };
    DllCommand command{h[0], unquoted(h[3]), unquoted(h[2]), {}, header.number};
    if (!isValidName(h[0])) report.add(header.number, "the command name is empty or holds a space, comma or quote");
    if (isAscii(h[0]) && !isGeneratedName(h[0])) {
      report.add(header.number, "an ASCII command name is not letters, digits and \"_\" ending in \"_\"");
    }
    if (isAscii(h[0]) && h[2].size() < 3) report.add(header.number, "a generated command names no DLL file");
    if (!isBasicTypeName(h[1])) report.add(header.number, "the return type is not a basic type");
    if (!h[2].empty() && !isQuoted(h[2])) report.add(header.number, "the DLL file is neither empty nor quoted");
    if (!isQuoted(h[3]) || h[3].size() < 3) report.add(header.number, "the entry name is not a quoted non-empty text");
    if (!h[4].empty()) report.add(header.number, "the public field is not empty");
    for (std::size_t i = 1; i < block.lines.size(); ++i) checkParameter(block.lines[i], command, report);
    commands.push_back(std::move(command));
  }
  return commands;
}

std::vector<DataType> checkTypeText(std::string_view text, Report& report) {
  std::vector<DataType> types;
  for (const Block& block : splitBlocks(splitLines(text, report), kDataTypeHeader, report)) {
    const Line& header = block.lines[0];
    if (!startsWith(header.text, kDataTypeHeader)) continue;
    auto h = declarationFields(header.text.substr(kDataTypeHeader.size()), 2, header.number, report);
    if (h.size() < 3) report.add(header.number, "a data type header has fewer than 3 fields");
    if (!isValidName(h[0])) report.add(header.number, "the data type name is empty or holds a space, comma or quote");
    if (isAscii(h[0]) && !isGeneratedName(h[0])) {
      report.add(header.number, "an ASCII data type name is not letters, digits and \"_\" ending in \"_\"");
    }
    if (h.size() >= 2 && !h[1].empty()) report.add(header.number, "the public field is not empty");
    for (std::size_t i = 1; i < block.lines.size(); ++i) checkMember(block.lines[i], report);
    types.push_back({h[0], header.number});
  }
  return types;
}

// A plain first-occurrence search for header + name must land on the name's own block.
template <typename Declaration>
void checkFirstOccurrence(std::string_view text, std::string_view header, const std::vector<Declaration>& all,
                          Report& report) {
  std::map<Text, int> seen;
  for (const auto& d : all) {
    if (!seen.emplace(d.name, d.line).second) report.add(d.line, "the name \"" + d.name + "\" is declared twice");
  }
  // A byte search finds what gbk::find finds: the header begins with ".", which is never the
  // second byte of a GBK character; and it does not walk the characters of the whole text
  // for each of some 5,000 names.
  for (const auto& d : all) {
    std::size_t pos = text.find(Text(header) + d.name + ",");
    std::size_t firstLinePos = text.find(Text(header) + d.name);
    if (pos == std::string_view::npos || firstLinePos != pos) {
      report.add(d.line, "a search for \"" + d.name + "\" finds another declaration first");
    }
  }
}

// A generated line's English name as the catalog orders it: an A or W form right after
// the name without that letter, before any longer name (CreateFile, CreateFileW, CreateFile2).
Text listKey(const Text& english) {
  const base::AnsiOrWide form = base::formOf(english);
  if (form == base::AnsiOrWide::neither) return english;
  return english.substr(0, english.size() - 1) + static_cast<char>(form);
}

// Catalog order: by category, then by English name, both in plain byte order (listKey for a
// generated line); the lines generated from the SDK headers, filed under their DLL files,
// follow the hand-written ones.
void checkCatalog(std::string_view text, const std::vector<DllCommand>& commands, const std::set<Text>& typeNames,
                  Report& report) {
  std::map<Text, const DllCommand*> byName;
  for (const auto& c : commands) byName.emplace(c.name, &c);
  std::map<Text, int> listed;
  std::tuple<bool, Text, Text> previous;
  for (const Line& line : splitLines(text, report)) {
    if (line.text.find_first_of(" \"") != std::string_view::npos) report.add(line.number, "a space or a double quote");
    auto f = gbk::split(line.text, ",");
    if (f.size() < 3) {
      report.add(line.number, "fewer than 3 fields");
      continue;
    }
    bool generated = isAscii(f[1]);
    std::tuple<bool, Text, Text> key{generated, f[1], generated ? listKey(f[0]) : f[0]};
    if (key < previous) report.add(line.number, "not in byte order of category and English name");
    previous = key;
    if (!listed.emplace(f[2], line.number).second) report.add(line.number, "the Chinese name is listed twice");
    auto it = byName.find(f[2]);
    if (it == byName.end()) {
      report.add(line.number, "no DLL command named \"" + f[2] + "\"");
      continue;
    }
    const DllCommand& command = *it->second;
    if (!generated && command.entry != exportedEntryName(f[0])) {
      report.add(line.number, "the English name differs from the entry name of the block");
    }
    // A generated line: its category is the block's DLL file, its name the English name
    // and "_"; the entry is the English name or, where that is the header's macro, its A form.
    bool namesItsExport = command.entry == f[0] || command.entry == f[0] + "A";
    if (generated && (f[1] != command.dll || f[2] != f[0] + "_" || !namesItsExport)) {
      report.add(line.number, "a generated line differs from its block's DLL file, name or entry");
    }
    // The data types that the parameters use, once each, in order of first use;
    // an untyped parameter stands as an empty field.
    std::vector<Text> expected;
    for (const Text& type : command.parameterTypes) {
      if ((type.empty() || !isBasicTypeName(type)) &&
          std::find(expected.begin(), expected.end(), type) == expected.end()) {
        expected.push_back(type);
      }
    }
    if (!expected.empty() && expected.back().empty()) {
      if (line.text.back() != ',') report.add(line.number, "an untyped last parameter needs a final \",\"");
      expected.pop_back();  // the split drops the empty last field
    }
    std::vector<Text> actual(f.begin() + 3, f.end());
    if (actual != expected) report.add(line.number, "the data type fields differ from the parameters' data types");
    for (const Text& type : actual) {
      if (!type.empty() && !typeNames.count(type))
        report.add(line.number, "the data type \"" + type + "\" is not declared");
    }
  }
  for (const auto& c : commands) {
    if (!listed.count(c.name)) report.add(0, "the DLL command \"" + c.name + "\" has no catalog entry");
  }
}

// Decimal as E writes a 整数型: an optional "-", no leading zero, within 32 bits signed.
bool isE32BitDecimal(std::string_view value) {
  std::int32_t parsed = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), parsed);
  std::string_view digits = value.substr(value.starts_with('-') ? 1 : 0);
  return error == std::errc() && end == value.data() + value.size() && !digits.empty() &&
         (digits == "0" ? value == "0" : digits.front() != '0');
}

}  // namespace

std::vector<DataViolation> validateConstantLibrary(std::string_view constantText) {
  std::vector<DataViolation> violations;
  Report report(violations, "constants");
  std::vector<Line> lines = splitLines(constantText, report);
  if (lines.empty()) return violations;
  if (lines[0].text != kVersionLine) report.add(1, "the first line is not \".版本 2\"");
  if (lines.size() < 2 || !lines[1].text.empty()) report.add(2, "the second line is not empty");
  std::set<Text> names;
  for (std::size_t i = 2; i < lines.size(); ++i) {
    const Line& line = lines[i];
    std::optional<Constant> constant = parseConstantLine(line.text);
    if (!constant) {
      report.add(line.number, "not a constant line \".常量 名称, \"值\", , 备注\"");
      continue;
    }
    if (!names.emplace(constant->name).second) {
      report.add(line.number, "the constant \"" + Text(constant->name) + "\" is declared twice");
    }
    if (!isE32BitDecimal(constant->value)) report.add(line.number, "the value is not a 32-bit decimal as E writes it");
    std::string_view header = constant->comment.substr(0, constant->comment.find(' '));
    if (!header.ends_with(".h")) report.add(line.number, "the comment does not begin with the header");
  }
  return violations;
}

std::vector<DataViolation> validateBuiltinData(std::string_view dllText, std::string_view typeText,
                                               std::string_view catalogText) {
  std::vector<DataViolation> violations;
  Report dllReport(violations, "dll");
  Report typeReport(violations, "types");
  Report catalogReport(violations, "catalog");

  auto commands = checkDllText(dllText, dllReport);
  auto types = checkTypeText(typeText, typeReport);
  checkFirstOccurrence(dllText, kDllCommandHeader, commands, dllReport);
  checkFirstOccurrence(typeText, kDataTypeHeader, types, typeReport);

  std::set<Text> typeNames;
  for (const auto& t : types) typeNames.insert(t.name);
  for (const auto& c : commands) {
    for (const Text& type : c.parameterTypes) {
      if (!isBasicTypeName(type) && !typeNames.count(type)) {
        dllReport.add(c.line, "the parameter type \"" + type + "\" is neither basic nor declared");
      }
    }
  }
  checkCatalog(catalogText, commands, typeNames, catalogReport);
  return violations;
}

}  // namespace library
