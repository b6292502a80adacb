#include "library/program_source.h"

#include <map>
#include <utility>

#include "library/declaration_syntax.h"

namespace library {
namespace {

using library::ImageDeclaration;
using library::kBodyIndent;
using library::kConstantHeader;
using library::kDataTypeHeader;
using library::kDllCommandHeader;
using library::kMemberLead;
using library::kParameterLead;
using library::kProgramSetHeader;
using library::kVersionLead;
using library::ProgramImage;

struct Line {
  std::string_view text;  // without its CR LF
  std::size_t number = 0;
};

// One pass over the lines; `open` is the block that the next lines may still join.
class SourceParser {
 public:
  ProgramSourceParsing parse(std::string_view text) {
    ProgramSourceParsing parsing;
    if (parseText(text)) {
      parsing.program = std::move(program);
    } else {
      parsing.error = std::move(error);
    }
    return parsing;
  }

 private:
  enum class Open { none, programSet, dllCommand, dataType, constant };

  bool fail(std::size_t line, std::string reason) {
    error = {line, std::move(reason)};
    return false;
  }

  bool parseText(std::string_view text) {
    Line line;
    std::size_t position = 0;
    while (position < text.size()) {
      std::size_t lineFeed = text.find('\n', position);
      line.number += 1;
      if (lineFeed == std::string_view::npos) {
        line.text = text.substr(position);  // the last line may lack its CR LF
        position = text.size();
      } else {
        if (lineFeed == position || text[lineFeed - 1] != '\r') return fail(line.number, "line ends in LF without CR");
        line.text = text.substr(position, lineFeed - 1 - position);
        position = lineFeed + 1;
      }
      if (line.text.find_first_of("\r\n") != std::string_view::npos) return fail(line.number, "CR inside a line");
      // A NUL ends a text wherever it is shown, and no name may hold one.
      if (line.text.find('\0') != std::string_view::npos) return fail(line.number, "NUL inside a line");
      if (!(line.number == 1 ? readVersion(line) : readLine(line))) return false;
    }
    if (line.number == 0) return fail(1, "empty text: the first line must be the version line");
    closeBlock();
    return true;
  }

  bool readVersion(const Line& line) {
    std::string_view digits = line.text.substr(std::min(line.text.size(), kVersionLead.size()));
    if (!line.text.starts_with(kVersionLead) || digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos) {
      return fail(line.number, "the first line is not the version line");
    }
    program.languageVersion = 0;
    for (char digit : digits) program.languageVersion = program.languageVersion * 10 + (digit - '0');
    return true;
  }

  bool readLine(const Line& line) {
    if (line.text.starts_with(kProgramSetHeader)) return openBlock(line, Open::programSet, kProgramSetHeader);
    if (line.text.starts_with(kDllCommandHeader)) return openBlock(line, Open::dllCommand, kDllCommandHeader);
    if (line.text.starts_with(kDataTypeHeader)) return openBlock(line, Open::dataType, kDataTypeHeader);
    if (line.text.starts_with(kConstantHeader)) return openBlock(line, Open::constant, kConstantHeader);
    if (open == Open::programSet) {
      // Empty lines belong to the set only if more of the set follows them.
      if (line.text.empty()) {
        pendingEmptyLines += 1;
      } else {
        for (; pendingEmptyLines > 0; --pendingEmptyLines) block.source += "\r\n";
        appendLine(line);
      }
      return true;
    }
    if (line.text.empty()) {
      closeBlock();
      return true;
    }
    std::string_view lead = open == Open::dllCommand ? kParameterLead : kMemberLead;
    if ((open == Open::dllCommand || open == Open::dataType) && line.text.starts_with(kBodyIndent) &&
        line.text.substr(kBodyIndent.size()).starts_with(lead)) {
      appendLine(line);
      return true;
    }
    if (open == Open::dllCommand)
      return fail(line.number, "a line under a DLL command header that is not a parameter line");
    if (open == Open::dataType) return fail(line.number, "a line under a data type header that is not a member line");
    if (open == Open::constant) return fail(line.number, "a line under a constant, which is one line");
    return fail(line.number, "a line outside every block");
  }

  bool openBlock(const Line& line, Open kind, std::string_view keyword) {
    closeBlock();
    std::string_view rest = line.text.substr(keyword.size());
    std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos && kind != Open::programSet) {
      return fail(line.number, "a declaration header without a comma after its name");
    }
    std::string_view name = rest.substr(0, comma);
    if (name.empty()) return fail(line.number, "a block without a name");
    auto [first, added] = firstLines.try_emplace({kind, std::string(name)}, line.number);
    if (!added)
      return fail(line.number, "a name given twice in its kind, first at line " + std::to_string(first->second));
    open = kind;
    block = {std::string(name), {}};
    appendLine(line);
    return true;
  }

  void appendLine(const Line& line) {
    block.source += line.text;
    block.source += "\r\n";
  }

  void closeBlock() {
    switch (open) {
      case Open::none: return;
      case Open::programSet: program.programSets.push_back(std::move(block)); break;
      case Open::dllCommand: program.dllCommands.push_back(std::move(block)); break;
      case Open::dataType: program.dataTypes.push_back(std::move(block)); break;
      case Open::constant: program.constants.push_back(std::move(block)); break;
    }
    open = Open::none;
    pendingEmptyLines = 0;
  }

  ProgramImage program = library::newProgram();
  ProgramSourceError error;
  Open open = Open::none;
  ImageDeclaration block;
  std::size_t pendingEmptyLines = 0;
  std::map<std::pair<Open, std::string>, std::size_t> firstLines;  // of every name, by kind
};

}  // namespace

ProgramSourceParsing parseProgramSource(std::string_view gbkText) { return SourceParser().parse(gbkText); }

std::string formatProgramSource(const library::ProgramImage& program) {
  std::string text(kVersionLead);
  text += std::to_string(program.languageVersion);
  text += "\r\n";
  for (const auto* blocks : {&program.programSets, &program.dllCommands, &program.dataTypes}) {
    for (const ImageDeclaration& block : *blocks) {
      text += "\r\n";
      text += block.source;
    }
  }
  if (!program.constants.empty()) text += "\r\n";
  for (const ImageDeclaration& constant : program.constants) text += constant.source;
  return text;
}

}  // namespace library
