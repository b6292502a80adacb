#include "library/constants.h"

#include "library/builtin_data.h"

#include <algorithm>

#include "library/declaration_syntax.h"

namespace library {
namespace {

constexpr std::string_view kFieldSeparator = ", ";

bool isWordByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Calls `take` with each run of word bytes in the GBK text until it answers false. By
// characters: the trail byte of a double-byte character may be an ASCII letter.
template <class TakeWord>
void forEachWord(std::string_view gbkText, TakeWord take) {
  std::size_t wordStart = std::string_view::npos;
  for (std::size_t pos = 0; pos < gbkText.size();) {
    if (isWordByte(static_cast<unsigned char>(gbkText[pos]))) {
      if (wordStart == std::string_view::npos) wordStart = pos;
      ++pos;
      continue;
    }
    if (wordStart != std::string_view::npos && !take(gbkText.substr(wordStart, pos - wordStart))) return;
    wordStart = std::string_view::npos;
    pos += gbk::charLength(gbkText, pos);
  }
  if (wordStart != std::string_view::npos) take(gbkText.substr(wordStart));
}

// What the constants of one family share: their header (the comment's first word) and
// their part of the name up to the first "_"; empty for a constant that is its own family.
std::string familyKey(const Constant& constant) {
  std::size_t underscore = constant.name.find('_');
  if (underscore == std::string::npos || underscore < 2) return {};
  std::string_view comment = constant.comment;
  return std::string(comment.substr(0, comment.find(' '))) + '\n' + constant.name.substr(0, underscore + 1);
}

}  // namespace

std::optional<Constant> parseConstantLine(std::string_view line) {
  if (!line.starts_with(kConstantHeader)) return std::nullopt;
  std::string_view rest = line.substr(kConstantHeader.size());
  std::size_t nameEnd = rest.find(kFieldSeparator);
  if (nameEnd == 0 || nameEnd == std::string_view::npos) return std::nullopt;
  std::string_view name = rest.substr(0, nameEnd);
  if (!std::all_of(name.begin(), name.end(), [](char c) { return isWordByte(static_cast<unsigned char>(c)); })) {
    return std::nullopt;
  }
  rest.remove_prefix(nameEnd + kFieldSeparator.size());
  if (!rest.starts_with('"')) return std::nullopt;
  std::size_t valueEnd = rest.find('"', 1);
  if (valueEnd == std::string_view::npos) return std::nullopt;
  std::string_view value = rest.substr(1, valueEnd - 1);
  rest.remove_prefix(valueEnd + 1);
  constexpr std::string_view kEmptyPublicField = ", , ";
  if (!rest.starts_with(kEmptyPublicField)) return std::nullopt;
  return Constant{gbk::Text(name), gbk::Text(value), gbk::Text(rest.substr(kEmptyPublicField.size())),
                  gbk::Text(line)};
}

ConstantLibrary::ConstantLibrary(std::string_view constantLibraryText) {
  std::unordered_map<std::string, std::uint32_t> familyByKey;
  std::size_t lineStart = 0;
  while (lineStart < constantLibraryText.size()) {
    std::size_t lineEnd = constantLibraryText.find("\r\n", lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = constantLibraryText.size();
    std::optional<Constant> constant =
        parseConstantLine(constantLibraryText.substr(lineStart, lineEnd - lineStart));
    lineStart = lineEnd + 2;
    if (!constant || byName_.count(constant->name)) continue;
    auto index = static_cast<std::uint32_t>(constants_.size());
    std::string key = familyKey(*constant);
    auto family = static_cast<std::uint32_t>(families_.size());
    if (!key.empty()) family = familyByKey.try_emplace(key, family).first->second;
    if (family == families_.size()) families_.emplace_back();
    families_[family].push_back(index);
    familyOf_.push_back(family);
    byName_.emplace(constant->name, index);
    constants_.push_back(std::move(*constant));
  }
}

const Constant* ConstantLibrary::find(std::string_view sdkName) const {
  auto found = byName_.find(sdkName);
  return found == byName_.end() ? nullptr : &constants_[found->second];
}

const ConstantLibrary& builtInConstants() {
  static const ConstantLibrary constants(constantLibraryText());
  return constants;
}

bool namesWord(std::string_view gbkText, std::string_view word) {
  bool found = false;
  forEachWord(gbkText, [&](std::string_view candidate) { return !(found = candidate == word); });
  return found;
}

std::vector<const Constant*> ConstantLibrary::namedIn(std::string_view gbkText) const {
  std::vector<std::uint32_t> families;
  forEachWord(gbkText, [&](std::string_view word) {
    auto found = byName_.find(word);
    if (found != byName_.end()) families.push_back(familyOf_[found->second]);
    return true;
  });

  std::sort(families.begin(), families.end());
  families.erase(std::unique(families.begin(), families.end()), families.end());
  std::vector<std::uint32_t> indices;
  for (std::uint32_t family : families) indices.insert(indices.end(), families_[family].begin(), families_[family].end());
  std::sort(indices.begin(), indices.end());
  std::vector<const Constant*> named;
  named.reserve(indices.size());
  for (std::uint32_t index : indices) named.push_back(&constants_[index]);
  return named;
}

}  // namespace library
