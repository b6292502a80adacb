// The glossary: the English words of API names with their Chinese (Window 窗口, Get 取),
// so that Chinese words reach declarations that have only English names. Its text is a
// line per word, "Word,中文[,中文...]" (data/glossary/words.txt, reviewed by hand from
// what tools/propose_glossary.py proposes).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace library {

// The words of an English API name, in lower case: cut before each capital that begins a
// word (GetWindowDC: get, window, dc), at digits and at "_"; the A or W that ends a
// character-set form is no word, nor is a number.
std::vector<std::string> englishWords(std::string_view name);

class Glossary {
 public:
  Glossary() = default;
  // Lines end in CR LF or LF; a line without a Chinese word, or with a field too long to
  // be a word, is passed over.
  explicit Glossary(std::string_view text);

  // `typed` cut into the glossary's Chinese words, the longest first at each place: for
  // each word, the English words (lower case) that it glosses. None when some part of
  // `typed` is no Chinese word of the glossary.
  std::vector<std::vector<std::string_view>> glossesOf(std::string_view typed) const;

  std::size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    std::string chinese;
    std::string english;  // lower case
  };
  std::vector<Entry> entries_;  // by Chinese word
};

}  // namespace library
