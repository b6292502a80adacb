#include "library/declaration_copy.h"

#include <algorithm>
#include <vector>
#include <utility>

#include "library/constants.h"
#include "library/declaration_syntax.h"
#include "library/type_names.h"

namespace library {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A block cut out up to the next header ends in the empty line between the two; the
// last block of a text, in whatever the text ends. CR and LF are never the second byte
// of a GBK character, so cutting them off splits nothing.
std::string_view withoutLineEnds(std::string_view block) {
  while (!block.empty() && (block.back() == '\r' || block.back() == '\n')) block.remove_suffix(1);
  return block;
}

// The data types of the copy: each once, after those that its members use, otherwise
// in the order in which they are met.
class DataTypeOrder {
 public:
  explicit DataTypeOrder(const LibraryTexts& texts) : texts_(texts) {}

  // A basic type, a name met before and a name that the text lacks add nothing. Every
  // call below meets a new name, so the depth is bounded by the number of data types.
  void add(std::string_view name) {
    if (isBasicTypeName(name) || std::find(met_.begin(), met_.end(), name) != met_.end()) return;
    met_.emplace_back(name);
    std::optional<DeclarationBlock> found = lookUpDataTypeBlock(texts_, name);
    if (!found) return;
    for (const gbk::Text& type : found->typeNames) add(type);
    blocks_.push_back(withoutLineEnds(found->block));
  }

  const std::vector<std::string_view>& blocks() const { return blocks_; }

 private:
  const LibraryTexts& texts_;
  std::vector<gbk::Text> met_;
  std::vector<std::string_view> blocks_;
};

// The lines of the constants that `blocks` name.
std::vector<std::string_view> constantLinesNamedIn(const ConstantLibrary* constants, std::string_view blocks) {
  std::vector<std::string_view> lines;
  if (!constants) return lines;
  for (const Constant* constant : constants->namedIn(blocks)) lines.push_back(constant->line);
  return lines;
}

}  // namespace

DeclarationCopy composeDeclarationCopy(const LibraryTexts& texts, const ConstantLibrary* constants,
                                       std::span<const DeclarationName> chosen) {
  std::vector<gbk::Text> commandsMet;
  std::vector<std::string_view> commandBlocks;
  DataTypeOrder dataTypes(texts);
  for (const DeclarationName& declaration : chosen) {
    if (declaration.kind == DeclarationKind::dataType) {
      dataTypes.add(declaration.name);
      continue;
    }
    if (std::find(commandsMet.begin(), commandsMet.end(), declaration.name) != commandsMet.end()) continue;
    commandsMet.push_back(declaration.name);
    std::optional<DeclarationBlock> found = lookUpDllCommandBlock(texts, declaration.name);
    if (!found) continue;
    commandBlocks.push_back(withoutLineEnds(found->block));
    for (const gbk::Text& type : found->typeNames) dataTypes.add(type);
  }

  // Each block after an empty line.
  gbk::Text blocks;
  auto append = [&blocks](const std::vector<std::string_view>& kind) {
    for (std::string_view block : kind) {
      blocks += kLineEnd;
      blocks += block;
      blocks += kLineEnd;
    }
  };
  append(commandBlocks);
  append(dataTypes.blocks());
  std::vector<std::string_view> constantLines = constantLinesNamedIn(constants, blocks);

  DeclarationCopy copy;
  copy.text.reserve(kVersionLine.size() + blocks.size() + 64 * constantLines.size() + 8);
  copy.text += kVersionLine;
  copy.text += kLineEnd;
  copy.text += blocks;
  if (!constantLines.empty()) copy.text += kLineEnd;
  for (std::string_view line : constantLines) {
    copy.text += line;
    copy.text += kLineEnd;
  }
  copy.dllCommands = static_cast<int>(commandBlocks.size());
  copy.dataTypes = static_cast<int>(dataTypes.blocks().size());
  copy.constantLines = std::move(constantLines);
  return copy;
}

}  // namespace library
