#include "library/catalog.h"

#include <algorithm>
#include <utility>

#include "base/sort_order.h"

namespace library {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Calls `take` with each line of the text, as gbk::split cuts it: at every CR LF, the
// text after the last one being a line too unless it is empty.
template <class TakeLine>
void forEachLine(std::string_view text, TakeLine take) {
  std::size_t start = 0;
  for (std::size_t end = text.find(kLineEnd); end != std::string_view::npos; end = text.find(kLineEnd, start)) {
    take(text.substr(start, end - start));
    start = end + kLineEnd.size();
  }
  if (start < text.size()) take(text.substr(start));
}

// The fields of a line, split at every ",", with an empty last field dropped.
void splitFields(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  for (std::size_t start = 0;;) {
    std::size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (fields.back().empty()) fields.pop_back();
}

}  // namespace

Catalog::Catalog(std::string_view catalogText)
    : ownText_(std::make_unique<const std::string>(catalogText)), text_(*ownText_) {
  std::size_t lines = 0;
  std::size_t commas = 0;
  forEachLine(text_, [&](std::string_view line) {
    ++lines;
    commas += static_cast<std::size_t>(std::count(line.begin(), line.end(), ','));
  });
  entries_.reserve(lines);
  // The type names are seen by view: the vector must not move once an entry points into it.
  dataTypeNames_.reserve(commas);
  std::vector<std::string_view> fields;
  forEachLine(text_, [&](std::string_view line) {
    splitFields(line, fields);
    if (fields.size() < 3) {
      entries_.emplace_back();
      return;
    }
    const std::size_t firstType = dataTypeNames_.size();
    dataTypeNames_.insert(dataTypeNames_.end(), fields.begin() + 3, fields.end());
    entries_.emplace_back(CatalogEntry{line, fields[0], fields[1], fields[2],
                                       std::span(dataTypeNames_).subspan(firstType, fields.size() - 3)});
  });
  sortIndexOrders();
}

void Catalog::sortIndexOrders() {
  for (bool chinese : {false, true}) {
    std::vector<std::int32_t>& order = ownIndexOrders_[chinese];
    for (std::int32_t n = 1; n <= size(); ++n) {
      if (entry(n)) order.push_back(n);
    }
    // Among Chinese names the generated declarations, listed by their English names,
    // follow the hand-written ones: the first screen is Chinese.
    std::ranges::stable_sort(order, [this, chinese](std::int32_t a, std::int32_t b) {
      const CatalogEntry& first = *entry(a);
      const CatalogEntry& second = *entry(b);
      if (chinese && first.generated() != second.generated()) return second.generated();
      return base::sortsBefore(first.shownName(chinese), second.shownName(chinese));
    });
    indexOrder_[chinese] = ownIndexOrders_[chinese];
  }
}

const CatalogEntry* Catalog::entry(std::int32_t number) const {
  if (number < 1 || number > size()) return nullptr;
  const std::optional<CatalogEntry>& found = entries_[static_cast<std::size_t>(number) - 1];
  return found ? &*found : nullptr;
}

std::int32_t Catalog::handWrittenCount() const {
  std::span<const std::int32_t> order = indexOrder(true);
  return static_cast<std::int32_t>(
      std::ranges::partition_point(order, [this](std::int32_t n) { return !entry(n)->generated(); }) - order.begin());
}

// A hand-written declaration's name is Chinese, so never the English name and "_".
bool CatalogEntry::generated() const {
  return chineseName.size() == englishName.size() + 1 && chineseName.starts_with(englishName) &&
         chineseName.back() == '_';
}

std::string_view exportedEntryName(std::string_view englishName) {
  static constexpr std::pair<std::string_view, std::string_view> kExports[] = {
      {"DeletePrinterDriver", "DeletePrinterDriverA"},  // winspool.drv exports only the A and W forms
      {"DrawTextEx", "DrawTextExA"},                    // user32.dll: only the A and W forms
      {"EnumDateFormats", "EnumDateFormatsA"},          // kernel32.dll: only the A and W forms
      {"EnumSystemCodePages", "EnumSystemCodePagesA"},  // kernel32.dll: only the A and W forms
      {"EnumSystemLocales", "EnumSystemLocalesA"},      // kernel32.dll: only the A and W forms
      {"EnumTimeFormats", "EnumTimeFormatsA"},          // kernel32.dll: only the A and W forms
  };
  for (const auto& [english, exported] : kExports) {
    if (englishName == english) return exported;
  }
  return englishName;
}

}  // namespace library
