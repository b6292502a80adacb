#include "navigation/search_index.h"

#include <algorithm>
#include <unordered_map>

#include "base/gbk_text.h"

namespace navigation {
namespace {

constexpr std::string_view kDllHeader = ".DLL命令 ";
constexpr std::string_view kParameterHeader = ".参数 ";

std::string foldedAscii(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

// Without the spaces, half- and full-width, at either end.
std::string_view trimmed(std::string_view text) {
  constexpr std::string_view kWideSpace = "\xA1\xA1";
  for (;;) {
    if (text.starts_with(' ')) {
      text.remove_prefix(1);
    } else if (text.starts_with(kWideSpace)) {
      text.remove_prefix(2);
    } else if (text.ends_with(' ')) {
      text.remove_suffix(1);
    } else if (text.ends_with(kWideSpace) && gbk::charLength(text, text.size() - 2) == 2) {
      text.remove_suffix(2);
    } else {
      return text;
    }
  }
}

// The text after the `commas`-th comma of a line; empty when it has fewer.
std::string_view afterComma(std::string_view line, int commas) {
  std::size_t at = 0;
  for (int i = 0; i < commas; ++i) {
    at = line.find(',', at);
    if (at == std::string_view::npos) return {};
    ++at;
  }
  return trimmed(line.substr(at));
}

// Calls take(line) for each line of a text with CR LF or LF ends.
template <class Take>
void forEachLine(std::string_view text, Take take) {
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    take(line);
    start = end + 1;
  }
}

}  // namespace

SearchIndex::SearchIndex(const library::Catalog& catalog, std::string_view dllCommandText,
                         const library::Glossary& glossary)
    : glossary_(glossary) {
  // The described words of each block, by the Chinese name that heads it.
  std::unordered_map<std::string_view, std::string> described;
  std::string* current = nullptr;
  forEachLine(dllCommandText, [&](std::string_view line) {
    std::string_view text = trimmed(line);
    if (text.starts_with(kDllHeader)) {
      std::string_view name = text.substr(kDllHeader.size());
      name = trimmed(name.substr(0, name.find(',')));
      auto [at, fresh] = described.try_emplace(name);
      current = fresh ? &at->second : nullptr;  // a second block of a name is never shown
      if (current) *current = std::string(afterComma(text, 5)) + "\n";
    } else if (current && text.starts_with(kParameterHeader)) {
      *current += std::string(afterComma(text, 3)) + "\n";
    } else if (!text.empty() && text.front() == '.') {
      current = nullptr;
    }
  });
  descriptionStart_.reserve(static_cast<std::size_t>(catalog.size()) + 2);
  descriptionStart_.push_back(0);  // entry 0 is none
  for (std::int32_t n = 1; n <= catalog.size(); ++n) {
    descriptionStart_.push_back(static_cast<std::uint32_t>(descriptions_.size()));
    const library::CatalogEntry* entry = catalog.entry(n);
    // A generated declaration's description is its C prototype, its comments the C types:
    // the words of its name and types, which the catalog line and the glossary find.
    if (!entry || entry->generated()) continue;
    auto found = described.find(entry->chineseName);
    if (found == described.end()) continue;
    descriptions_ += found->second;
    found->second.clear();  // the first entry of a name shows the block
  }
  descriptionStart_.push_back(static_cast<std::uint32_t>(descriptions_.size()));
  folded_ = foldedAscii(descriptions_);

  for (std::int32_t n = 1; n <= catalog.size(); ++n) {
    const library::CatalogEntry* entry = catalog.entry(n);
    if (!entry || !entry->generated()) continue;
    generatedEntries_.push_back(n);
    std::vector<std::string> words = library::englishWords(entry->englishName);
    words_.insert(words_.end(), words.begin(), words.end());
  }
  std::ranges::sort(words_);
  words_.erase(std::unique(words_.begin(), words_.end()), words_.end());
  for (std::int32_t n : generatedEntries_) {
    std::vector<std::uint32_t> numbers;
    for (const std::string& word : library::englishWords(catalog.entry(n)->englishName))
      numbers.push_back(static_cast<std::uint32_t>(std::ranges::lower_bound(words_, word) - words_.begin()));
    wordsOfEntry_.push_back(std::move(numbers));
  }
}

std::vector<std::int32_t> SearchIndex::findInDescriptions(std::string_view text) const {
  std::vector<std::int32_t> hits;
  if (text.empty()) return hits;
  const std::string what = foldedAscii(text);
  std::size_t at = folded_.find(what);
  while (at != std::string::npos) {
    // The entry the match lies in: the last that begins at or before it.
    auto next = std::upper_bound(descriptionStart_.begin() + 1, descriptionStart_.end(), at);
    const std::uint32_t begin = *(next - 1);
    const auto entry = static_cast<std::int32_t>(next - descriptionStart_.begin() - 1);
    // A match counts only at the start of a character, as the contains test has it.
    std::size_t pos = begin;
    while (pos < at) pos += gbk::charLength(descriptions_, pos);
    if (pos == at && at + what.size() <= *next) {
      hits.push_back(entry);
      at = folded_.find(what, *next);
    } else {
      at = folded_.find(what, at + 1);
    }
  }
  return hits;
}

std::vector<std::int32_t> SearchIndex::findByGloss(std::string_view text) const {
  std::vector<std::int32_t> hits;
  const std::vector<std::vector<std::string_view>> glosses = glossary_.glossesOf(text);
  if (glosses.empty()) return hits;
  // For each Chinese word, the numbers of the English words it glosses.
  std::vector<std::vector<std::uint32_t>> wanted;
  for (const std::vector<std::string_view>& english : glosses) {
    std::vector<std::uint32_t> numbers;
    for (std::string_view word : english) {
      auto at = std::ranges::lower_bound(words_, word);
      if (at != words_.end() && *at == word) numbers.push_back(static_cast<std::uint32_t>(at - words_.begin()));
    }
    if (numbers.empty()) return hits;  // a word that no generated name holds
    wanted.push_back(std::move(numbers));
  }
  for (std::size_t i = 0; i < generatedEntries_.size(); ++i) {
    const std::vector<std::uint32_t>& has = wordsOfEntry_[i];
    const bool all = std::ranges::all_of(wanted, [&has](const std::vector<std::uint32_t>& any) {
      return std::ranges::any_of(any, [&has](std::uint32_t word) { return std::ranges::find(has, word) != has.end(); });
    });
    if (all) hits.push_back(generatedEntries_[i]);
  }
  return hits;
}

}  // namespace navigation
