#include "library/glossary.h"

#include <algorithm>

#include "base/gbk_text.h"

namespace library {
namespace {

constexpr std::size_t kLongestField = 64;

bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isLower(char c) { return c >= 'a' && c <= 'z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
char lower(char c) { return isUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::vector<std::string> englishWords(std::string_view name) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < name.size()) {
    const char c = name[i];
    std::size_t end = i + 1;
    if (isDigit(c)) {
      while (end < name.size() && isDigit(name[end])) ++end;
      i = end;  // a number is no word
      continue;
    }
    if (isUpper(c)) {
      // A run of capitals is one word (DC), but its last capital begins the next word
      // when a small letter follows it (DCEx: dc, ex).
      while (end < name.size() && isUpper(name[end])) ++end;
      if (end - i > 1 && end < name.size() && isLower(name[end])) --end;
      if (end - i == 1) {
        while (end < name.size() && isLower(name[end])) ++end;
      }
    } else if (isLower(c)) {
      while (end < name.size() && isLower(name[end])) ++end;
    } else {
      i = end;  // "_" and anything else cut words apart
      continue;
    }
    std::string word(name.substr(i, end - i));
    std::transform(word.begin(), word.end(), word.begin(), lower);
    words.push_back(std::move(word));
    i = end;
  }
  // GetWindowTextA: the A is the form, not a word.
  if (words.size() > 1 && (words.back() == "a" || words.back() == "w") && name.size() >= 2 &&
      isLower(name[name.size() - 2]))
    words.pop_back();
  return words;
}

Glossary::Glossary(std::string_view text) {
  for (std::string_view line : gbk::split(text, "\n")) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::vector<gbk::Text> fields = gbk::split(line, ",");
    if (fields.size() < 2 || fields[0].empty() || fields[0].size() > kLongestField) continue;
    std::string english(fields[0]);
    std::transform(english.begin(), english.end(), english.begin(), lower);
    for (std::size_t f = 1; f < fields.size(); ++f) {
      if (!fields[f].empty() && fields[f].size() <= kLongestField)
        entries_.push_back({std::string(fields[f]), english});
    }
  }
  std::ranges::sort(entries_, {}, &Entry::chinese);
}

std::vector<std::vector<std::string_view>> Glossary::glossesOf(std::string_view typed) const {
  std::vector<std::vector<std::string_view>> glosses;
  std::size_t at = 0;
  while (at < typed.size()) {
    // The longest Chinese word that the text goes on with: the words that begin with the
    // next character stand together in the sorted entries.
    std::size_t longest = 0;
    const std::string_view rest = typed.substr(at);
    const std::string_view first = rest.substr(0, gbk::charLength(rest, 0));
    auto from = std::ranges::lower_bound(entries_, first, {}, &Entry::chinese);
    for (auto e = from; e != entries_.end() && e->chinese.starts_with(first); ++e) {
      if (rest.starts_with(e->chinese)) longest = std::max(longest, e->chinese.size());
    }
    if (longest == 0) return {};
    std::vector<std::string_view> english;
    for (auto e = from; e != entries_.end() && e->chinese.starts_with(first); ++e) {
      if (e->chinese.size() == longest && rest.starts_with(e->chinese)) english.push_back(e->english);
    }
    glosses.push_back(std::move(english));
    at += longest;
  }
  return glosses;
}

}  // namespace library
