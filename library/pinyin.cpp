#include "library/pinyin.h"

#include <algorithm>
#include <span>

#include "base/gbk_text.h"
#include "library/pinyin_table.h"

namespace library {
namespace {

constexpr std::string_view kLowerLetters = "abcdefghijklmnopqrstuvwxyz";

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The syllable numbers of the character at `pos`; empty for a single byte or a code
// without readings.
std::span<const std::uint16_t> readingsAt(std::string_view text, std::size_t pos) {
  if (gbk::charLength(text, pos) != 2) return {};
  auto lead = static_cast<unsigned char>(text[pos]);
  auto trail = static_cast<unsigned char>(text[pos + 1]);
  if (trail < 0x40 || trail > 0xFE) return {};
  int code = (lead - 0x81) * pinyin_table::kTrailCount + (trail - 0x40);
  const std::uint16_t* first = pinyin_table::kReadings + pinyin_table::kFirstReading[code];
  const std::uint16_t* last = pinyin_table::kReadings + pinyin_table::kFirstReading[code + 1];
  return {first, last};
}

// How many letters of `alternative` the letters from `pos` on repeat.
std::size_t commonLength(std::string_view alternative, std::string_view letters, std::size_t pos) {
  std::size_t n = 0;
  while (n < alternative.size() && pos + n < letters.size() && alternative[n] == letters[pos + n]) ++n;
  return n;
}

}  // namespace

std::vector<std::string_view> pinyinReadings(std::string_view text) {
  std::vector<std::string_view> readings;
  if (text.empty()) return readings;
  for (std::uint16_t syllable : readingsAt(text, 0)) readings.emplace_back(pinyin_table::kSyllables[syllable]);
  return readings;
}

bool isAsciiLetters(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), isAsciiLetter);
}

PinyinMatcher::PinyinMatcher(std::string_view typed, PinyinSpelling spelling)
    : letters(typed), spelling(spelling), reached(typed.size() + 1), reachedNext(typed.size() + 1) {
  std::transform(letters.begin(), letters.end(), letters.begin(), lower);
}

bool PinyinMatcher::begins(std::string_view name) const { return matches(name, false); }

bool PinyinMatcher::occursIn(std::string_view name) const { return matches(name, true); }

// One character after the other, the set of positions in the letters that the name's
// characters so far can spell up to: a character with several readings widens the set
// instead of multiplying the ways to try.
bool PinyinMatcher::matches(std::string_view name, bool fromAnyCharacter) const {
  const std::size_t end = letters.size();
  std::fill(reached.begin(), reached.end(), 0);
  reached[0] = 1;
  for (std::size_t pos = 0; pos < name.size(); pos += gbk::charLength(name, pos)) {
    if (reached[end]) return true;
    alternatives.clear();
    if (isAsciiLetter(name[pos])) {
      alternatives.push_back(kLowerLetters.substr(static_cast<std::size_t>(lower(name[pos]) - 'a'), 1));
    } else {
      for (std::uint16_t syllable : readingsAt(name, pos)) {
        std::string_view reading = pinyin_table::kSyllables[syllable];
        alternatives.push_back(spelling == PinyinSpelling::initials ? reading.substr(0, 1) : reading);
      }
    }
    if (alternatives.empty()) continue;  // a digit, "_", a sign: nothing to type
    bool any = fromAnyCharacter;
    std::fill(reachedNext.begin(), reachedNext.end(), 0);
    reachedNext[0] = fromAnyCharacter ? 1 : 0;
    for (std::size_t at = 0; at < end; ++at) {
      if (!reached[at]) continue;
      for (std::string_view alternative : alternatives) {
        std::size_t n = commonLength(alternative, letters, at);
        if (n == alternative.size()) {
          reachedNext[at + n] = 1;
          any = true;
        } else if (at + n == end) {
          return true;  // the letters end inside this reading
        }
      }
    }
    if (!any) return false;
    reached.swap(reachedNext);
  }
  return reached[end] != 0;
}

}  // namespace library
