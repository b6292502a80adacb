// The search page's APIs: hits from the catalog lines in the sorted `列表框_搜索结果`,
// each with its entry number. The page's handlers, which also search the examples, are
// the program's (app/).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/gbk_text.h"
#include "library/library.h"
#include "navigation/search_index.h"
#include "navigation/constant_index.h"

namespace window {
class StartupWindow;
}

namespace navigation {

// The catalog entries whose whole line (names, category, data type names and the
// commas between them) contains `text`, ASCII letters matched in either case; lines
// of fewer than three fields are left out. Entry numbers, ascending.
std::vector<std::int32_t> findApis(const library::Catalog& catalog, std::string_view text);

// What the API search lists when `findApis` finds nothing: the catalog entries whose
// Chinese name contains `text` as pinyin initials, or failing any such, as syllables
// joined (library/pinyin.h). None unless `text` is ASCII letters. Entry numbers, ascending.
std::vector<std::int32_t> findApisByPinyin(const library::Catalog& catalog, std::string_view text);

// The API hits of `text` in `列表框_搜索结果`, which the caller has emptied, each under its
// Chinese or English name as `组合框_搜索API显示` says: first the hits on a name (findApis,
// the APIs that take the constant `text` names, and the glossary's), then those only in a
// description or a parameter's comment; failing any, findApisByPinyin. Whether there was a hit.
bool listApiHits(window::StartupWindow& w, const library::Library& library, const SearchIndex& index,
                 const ConstantIndex& constants,
                 std::string_view text);

// The API hits listed again under the names that `组合框_搜索API显示` now asks for, the
// selected entry staying selected.
void relabelApiHits(window::StartupWindow& w, const library::Catalog& catalog);

// The selected API hit named in the status bar and its declaration shown.
void showApiHit(window::StartupWindow& w, const library::Library& library);

// The selected API hit gathered into the chosen API list.
void gatherApiHit(window::StartupWindow& w, const library::Catalog& catalog);

// Handlers (the event table wires them).
void 组合框_搜索类型_selectionChanged(window::StartupWindow& w);

}  // namespace navigation
