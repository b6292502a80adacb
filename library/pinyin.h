// Finding Chinese names by pinyin typed as plain ASCII letters, without a Chinese
// input method: by the initials of the readings (取菜单条目信息_ as "qcdtmxx") or by the
// whole syllables joined ("qucaidan"). A character with several readings (行 háng/xíng)
// matches by any of them; ASCII letters in a name match themselves; digits, "_" and the
// other characters without a reading are passed over.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace library {

// The toneless readings, lower-case ASCII with ü as "v" and as "u", of the GBK character
// at the start of `text`; none for a character that has no Mandarin reading.
std::vector<std::string_view> pinyinReadings(std::string_view text);

// One or more ASCII letters and nothing else: a text that the pinyin find takes.
bool isAsciiLetters(std::string_view text);

enum class PinyinSpelling {
  initials,   // one letter per character: the first letter of a reading
  syllables,  // the readings joined; the letters may end inside the last one
};

// Matches one typed text against many names; make one per typed text.
class PinyinMatcher {
 public:
  PinyinMatcher(std::string_view letters, PinyinSpelling spelling);

  // The name, spelled so, begins with the letters (ASCII case ignored).
  bool begins(std::string_view name) const;
  // The name, spelled so from any of its characters on, begins with the letters.
  bool occursIn(std::string_view name) const;

 private:
  bool matches(std::string_view name, bool fromAnyCharacter) const;

  std::string letters;
  PinyinSpelling spelling;
  // The positions in `letters` that the characters matched so far can reach; kept
  // between calls so that matching a whole list allocates nothing.
  mutable std::vector<char> reached;
  mutable std::vector<char> reachedNext;
  mutable std::vector<std::string_view> alternatives;  // the spellings of one character
};

}  // namespace library
