// [SECTION] Parsing: header and body lines into records
// [SECTION] Lookups
#include "library/declaration_lookup.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "library/declaration_syntax.h"
#include "library/type_names.h"

namespace library {
namespace {

// The library texts begin ".版本 2"; what is shown begins without the space.
constexpr std::string_view kDeclarationTextHead = ".版本2\r\n\r\n";

// ---------------------------------------------------------------------------------
// [SECTION] Parsing
// ---------------------------------------------------------------------------------

std::vector<gbk::Text> fieldsPaddedTo(std::string_view line, std::size_t count) {
  std::vector<gbk::Text> fields = gbk::split(line, ",");
  if (fields.size() < count) fields.resize(count);
  return fields;
}

// Comments come last and may hold commas of their own: the comment is field `first`
// (0-based) and every field after it, each trimmed, joined again with bare commas.
gbk::Text commentFrom(const std::vector<gbk::Text>& fields, std::size_t first) {
  gbk::Text comment = gbk::trim(fields[first]);
  for (std::size_t k = first + 1; k < fields.size(); ++k) {
    comment += ',';
    comment += gbk::trim(fields[k]);
  }
  return comment;
}

// The DLL file, entry name and dimensions stand in double quotes: the first and the
// last character go, whatever they are.
gbk::Text withoutQuotes(const gbk::Text& field) {
  gbk::Text trimmed = gbk::trim(field);
  if (trimmed.empty()) return trimmed;
  return gbk::middle(trimmed, 2, static_cast<int>(trimmed.size()) - 2);
}

// The body line with its lead (".参数 " or ".成员 ") cut off, or nothing for any
// other line, the empty line that closes a block included.
std::optional<gbk::Text> bodyAfterLead(std::string_view line, std::string_view lead) {
  gbk::Text trimmed = gbk::trim(line);
  int leadLength = static_cast<int>(lead.size());
  if (gbk::left(trimmed, leadLength) != lead) return std::nullopt;
  return gbk::right(trimmed, static_cast<int>(trimmed.size()) - leadLength);
}

gbk::Text declarationTextOf(std::string_view block) {
  gbk::Text text(kDeclarationTextHead);
  text += block;
  return text;
}

// ---------------------------------------------------------------------------------
// [SECTION] Lookups
// ---------------------------------------------------------------------------------

std::optional<FoundDataType> lookUpDataTypeIn(const HeaderIndex& dataTypes, std::string_view name) {
  std::optional<std::string_view> block = dataTypes.block(name);
  if (!block) return std::nullopt;

  std::vector<gbk::Text> lines = gbk::split(*block, "\r\n");
  std::vector<gbk::Text> header = fieldsPaddedTo(lines.front(), 3);
  FoundDataType found{{}, declarationTextOf(*block)};
  DataTypeRecord& parsed = found.record;
  parsed.name = gbk::Text(name);
  parsed.comment = commentFrom(header, 2);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::optional<gbk::Text> body = bodyAfterLead(lines[i], kMemberLead);
    if (!body) continue;
    std::vector<gbk::Text> fields = fieldsPaddedTo(*body, 5);
    parsed.members.push_back({gbk::trim(fields[0]), gbk::trim(fields[1]), gbk::contains(fields[2], "传址"),
                              withoutQuotes(fields[3]), commentFrom(fields, 4)});
  }
  return found;
}

// The type field (the second) of the header when it gives one, then of each body line.
DeclarationBlock withTypeNames(std::string_view block, std::string_view lead, bool headerGivesType) {
  DeclarationBlock found{block, {}};
  std::vector<gbk::Text> lines = gbk::split(block, "\r\n");
  if (headerGivesType) found.typeNames.push_back(gbk::trim(fieldsPaddedTo(lines.front(), 2)[1]));
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (std::optional<gbk::Text> body = bodyAfterLead(lines[i], lead)) {
      found.typeNames.push_back(gbk::trim(fieldsPaddedTo(*body, 2)[1]));
    }
  }
  return found;
}

}  // namespace

LibraryTexts::LibraryTexts(std::string_view dllCommands, std::string_view dataTypes)
    : dllCommands_(dllCommands, kDllCommandHeader), dataTypes_(dataTypes, kDataTypeHeader) {}

LibraryTexts::LibraryTexts(HeaderIndex dllCommands, HeaderIndex dataTypes)
    : dllCommands_(std::move(dllCommands)), dataTypes_(std::move(dataTypes)) {}

std::optional<FoundDllCommand> lookUpDllCommand(const LibraryTexts& texts, std::string_view name, LookupLists& lists) {
  std::optional<std::string_view> block = texts.dllCommands().block(name);
  if (!block) return std::nullopt;

  std::vector<gbk::Text> lines = gbk::split(*block, "\r\n");
  std::vector<gbk::Text> header = fieldsPaddedTo(lines.front(), 6);
  FoundDllCommand found{{}, declarationTextOf(*block)};
  DllCommandRecord& parsed = found.record;
  parsed.name = name;
  parsed.returnType = gbk::trim(header[1]);
  parsed.comment = commentFrom(header, 5);
  parsed.dllFile = withoutQuotes(header[2]);
  parsed.entryName = withoutQuotes(header[3]);

  LookupLists rebuilt;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::optional<gbk::Text> body = bodyAfterLead(lines[i], kParameterLead);
    if (!body) continue;
    std::vector<gbk::Text> fields = fieldsPaddedTo(*body, 4);
    gbk::Text type = gbk::trim(fields[1]);

    std::vector<gbk::Text>& taken = rebuilt.takenDataTypeNames;
    if (!isBasicTypeName(type) && std::find(taken.begin(), taken.end(), type) == taken.end()) {
      taken.push_back(type);
      // An undeclared type is taken all the same, so that it is tried once, and adds
      // no text (see the header).
      if (std::optional<FoundDataType> dataType = lookUpDataTypeIn(texts.dataTypes(), type)) {
        rebuilt.neededDataTypeTexts.push_back(std::move(dataType->declarationText));
      }
    }

    // The flags field alone: "数组" in a name or comment is no flag.
    parsed.parameters.push_back({gbk::trim(fields[0]), std::move(type), gbk::contains(fields[2], "传址"),
                                 gbk::contains(fields[2], "数组"), commentFrom(fields, 3)});
  }
  lists = std::move(rebuilt);
  return found;
}

std::optional<FoundDataType> lookUpDataType(const LibraryTexts& texts, std::string_view name) {
  return lookUpDataTypeIn(texts.dataTypes(), name);
}

std::optional<DeclarationBlock> lookUpDllCommandBlock(const LibraryTexts& texts, std::string_view name) {
  std::optional<std::string_view> block = texts.dllCommands().block(name);
  if (!block) return std::nullopt;
  return withTypeNames(*block, kParameterLead, true);
}

std::optional<DeclarationBlock> lookUpDataTypeBlock(const LibraryTexts& texts, std::string_view name) {
  std::optional<std::string_view> block = texts.dataTypes().block(name);
  if (!block) return std::nullopt;
  return withTypeNames(*block, kMemberLead, false);
}

}  // namespace library
