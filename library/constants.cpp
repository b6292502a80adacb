#include "library/constants.h"

#include <algorithm>
#include <tuple>

#include "library/declaration_syntax.h"

namespace library {
namespace {

constexpr std::string_view kFieldSeparator = ", ";

bool isWordByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Calls `take` with each run of word bytes in the GBK text, and whether a "*" follows it,
// until it answers false. By characters: the trail byte of a double-byte character may be
// an ASCII letter.
template <class TakeWord>
void forEachWord(std::string_view gbkText, TakeWord take) {
  std::size_t wordStart = std::string_view::npos;
  for (std::size_t pos = 0; pos < gbkText.size();) {
    if (isWordByte(static_cast<unsigned char>(gbkText[pos]))) {
      if (wordStart == std::string_view::npos) wordStart = pos;
      ++pos;
      continue;
    }
    if (wordStart != std::string_view::npos &&
        !take(gbkText.substr(wordStart, pos - wordStart), gbkText[pos] == '*')) {
      return;
    }
    wordStart = std::string_view::npos;
    pos += gbk::charLength(gbkText, pos);
  }
  if (wordStart != std::string_view::npos) take(gbkText.substr(wordStart), false);
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
  return Constant{name, value, rest.substr(kEmptyPublicField.size()), line};
}

ConstantLibrary::ConstantLibrary(std::string_view constantLibraryText) : text_(constantLibraryText) {
  const std::string_view text = text_;
  for (std::size_t lineStart = 0; lineStart < text.size();) {
    std::size_t lineEnd = std::min(text.find("\r\n", lineStart), text.size());
    if (std::optional<Constant> constant = parseConstantLine(text.substr(lineStart, lineEnd - lineStart))) {
      constants_.push_back(*constant);
    }
    lineStart = lineEnd + 2;
  }
  // Of two constants of one name the first is kept.
  auto sortByName = [this] {
    byName_.resize(constants_.size());
    for (std::uint32_t i = 0; i < byName_.size(); ++i) byName_[i] = i;
    std::sort(byName_.begin(), byName_.end(), [this](std::uint32_t a, std::uint32_t b) {
      return std::tie(constants_[a].name, a) < std::tie(constants_[b].name, b);
    });
  };
  sortByName();
  std::vector<bool> repeated(constants_.size(), false);
  for (std::size_t i = 1; i < byName_.size(); ++i) {
    repeated[byName_[i]] = constants_[byName_[i]].name == constants_[byName_[i - 1]].name;
  }
  if (std::find(repeated.begin(), repeated.end(), true) != repeated.end()) {
    std::vector<Constant> kept;
    for (std::size_t i = 0; i < constants_.size(); ++i) {
      if (!repeated[i]) kept.push_back(constants_[i]);
    }
    constants_ = std::move(kept);
    sortByName();
  }
}

std::optional<std::uint32_t> ConstantLibrary::indexOf(std::string_view sdkName) const {
  auto found =
      std::lower_bound(byName_.begin(), byName_.end(), sdkName,
                       [this](std::uint32_t index, std::string_view name) { return constants_[index].name < name; });
  if (found == byName_.end() || constants_[*found].name != sdkName) return std::nullopt;
  return *found;
}

const Constant* ConstantLibrary::find(std::string_view sdkName) const {
  std::optional<std::uint32_t> index = indexOf(sdkName);
  return index ? &constants_[*index] : nullptr;
}

bool namesWord(std::string_view gbkText, std::string_view word) {
  bool found = false;
  forEachWord(gbkText, [&](std::string_view candidate, bool) { return !(found = candidate == word); });
  return found;
}

void ConstantLibrary::appendNamed(std::string_view gbkText, std::vector<std::uint32_t>& indices) const {
  forEachWord(gbkText, [&](std::string_view word, bool starFollows) {
    if (starFollows && word.ends_with('_')) {
      // The family's names stand together in name order.
      auto member = std::lower_bound(byName_.begin(), byName_.end(), word, [this](std::uint32_t index, std::string_view w) {
        return constants_[index].name < w;
      });
      for (; member != byName_.end() && constants_[*member].name.starts_with(word); ++member) indices.push_back(*member);
    } else if (std::optional<std::uint32_t> index = indexOf(word)) {
      indices.push_back(*index);
    }
    return true;
  });
}

std::vector<const Constant*> ConstantLibrary::namedIn(std::string_view gbkText) const {
  std::vector<std::uint32_t> indices;
  appendNamed(gbkText, indices);
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  std::vector<const Constant*> named;
  named.reserve(indices.size());
  for (std::uint32_t index : indices) named.push_back(&constants_[index]);
  return named;
}

std::vector<ConstantLibrary::Taken> ConstantLibrary::takenBy(std::string_view gbkText) const {
  std::vector<Taken> taken;
  std::vector<bool> seen(constants_.size(), false);
  std::vector<std::uint32_t> indices;
  for (std::size_t lineStart = 0; lineStart < gbkText.size();) {
    std::size_t lineEnd = std::min(gbkText.find("\r\n", lineStart), gbkText.size());
    std::string_view line = gbkText.substr(lineStart, lineEnd - lineStart);
    indices.clear();
    appendNamed(line, indices);
    std::sort(indices.begin(), indices.end());
    for (std::uint32_t index : indices) {
      if (!seen[index]) taken.push_back({&constants_[index], line});
      seen[index] = true;
    }
    lineStart = lineEnd + 2;
  }
  return taken;
}

}  // namespace library
