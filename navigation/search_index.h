// What the API search looks into beyond the catalog lines: the words of each DLL command's
// description and of its parameters' comments, and the English words of the generated
// declarations' names, which the glossary reaches with Chinese words. Made once, at the
// first API search.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/catalog.h"
#include "library/glossary.h"

namespace navigation {

class SearchIndex {
 public:
  // `dllCommandText` is the library text of the ".DLL命令" blocks; each block is taken
  // for the first catalog entry whose Chinese name it bears.
  SearchIndex(const library::Catalog& catalog, std::string_view dllCommandText, const library::Glossary& glossary);

  // The hand-written entries whose description or parameter comments contain `text` (the
  // contains test of the search: ASCII letters in either case, matches at character
  // starts only).
  // Entry numbers, ascending; none for an empty text.
  std::vector<std::int32_t> findInDescriptions(std::string_view text) const;

  // The generated entries whose English words the Chinese words of `text` gloss: each
  // word of the text glosses one of the name's words (分层窗口: SetLayeredWindowAttributes).
  // Entry numbers, ascending; none when `text` is not all glossary words.
  std::vector<std::int32_t> findByGloss(std::string_view text) const;

 private:
  // The descriptions and comments of all entries one after the other, each entry's
  // ending in a line feed; the same with every ASCII letter in lower case; where each
  // entry's begin, by entry number (one more for the end).
  std::string descriptions_;
  std::string folded_;
  std::vector<std::uint32_t> descriptionStart_;
  // The English words of each generated entry, as word numbers; entry numbers alongside.
  std::vector<std::string> words_;  // sorted: a word's number is its place
  std::vector<std::int32_t> generatedEntries_;
  std::vector<std::vector<std::uint32_t>> wordsOfEntry_;
  const library::Glossary& glossary_;  // the library's, which outlives the index
};

}  // namespace navigation
