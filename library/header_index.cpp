#include "library/header_index.h"

#include <algorithm>
#include <limits>
#include <tuple>

#include "base/gbk_text.h"

namespace library {
namespace {

constexpr std::string_view kNameEnds = ",\r";

// The name field of the header at `at`: up to its comma, or the line's end.
std::string_view nameAt(std::string_view text, std::string_view header, std::uint32_t at) {
  std::string_view rest = text.substr(at + header.size());
  return rest.substr(0, rest.find_first_of(kNameEnds));
}

}  // namespace

HeaderIndex::Tables HeaderIndex::build(std::string_view text, std::string_view header) {
  Tables tables;
  if (text.size() > std::numeric_limits<std::uint32_t>::max()) return tables;
  std::size_t known = 0;
  for (std::size_t at = text.find(header); at != std::string_view::npos; at = text.find(header, at + 1)) {
    if (!gbk::beginsCharacter(text, known, at)) continue;
    known = at;
    tables.starts.push_back(static_cast<std::uint32_t>(at));
  }
  tables.byName.resize(tables.starts.size());
  for (std::uint32_t i = 0; i < tables.byName.size(); ++i) tables.byName[i] = i;
  std::sort(tables.byName.begin(), tables.byName.end(), [&](std::uint32_t a, std::uint32_t b) {
    return std::tuple(nameAt(text, header, tables.starts[a]), a) <
           std::tuple(nameAt(text, header, tables.starts[b]), b);
  });
  return tables;
}

HeaderIndex::HeaderIndex(std::string_view text, std::string_view header)
    : text_(text), header_(header), owned_(build(text, header)), starts_(owned_.starts), byName_(owned_.byName) {}

HeaderIndex::HeaderIndex(std::string_view text, std::string_view header, std::span<const std::uint32_t> starts,
                         std::span<const std::uint32_t> byName)
    : text_(text), header_(header), starts_(starts), byName_(byName) {}

std::optional<std::string_view> HeaderIndex::block(std::string_view name) const {
  std::optional<std::size_t> first;
  if (name.find_first_of(kNameEnds) == std::string_view::npos) {
    auto nameOf = [this](std::uint32_t number) { return nameAt(text_, header_, starts_[number]); };
    auto it = std::lower_bound(byName_.begin(), byName_.end(), name,
                               [&](std::uint32_t number, std::string_view wanted) { return nameOf(number) < wanted; });
    for (; it != byName_.end() && nameOf(*it).starts_with(name); ++it)
      first = std::min<std::size_t>(first.value_or(*it), *it);
  } else {
    for (std::size_t i = 0; i < starts_.size() && !first; ++i) {
      if (text_.substr(starts_[i] + header_.size()).starts_with(name)) first = i;
    }
  }
  if (!first) return std::nullopt;
  std::size_t start = starts_[*first];
  std::size_t end = *first + 1 < starts_.size() ? starts_[*first + 1] : text_.size();
  return text_.substr(start, end - start);
}

}  // namespace library
