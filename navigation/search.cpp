#include "navigation/search.h"

#include <algorithm>
#include <iterator>

#include "library/pinyin.h"
#include "navigation/chosen_lists.h"
#include "navigation/search_index.h"
#include "window/wizard.h"

namespace navigation {
namespace {

// Which hits a found entry stands among: those on a name come first.
enum class HitKind { onName, inDescription };

// The hits, listed under the names that `组合框_搜索API显示` chooses, in one operation: those
// on a name first, then those in a description, each in the order of the index.
void listHits(window::StartupWindow& w, const library::Catalog& catalog, const std::vector<std::int32_t>& onName,
              const std::vector<std::int32_t>& inDescription) {
  const bool chinese = w.组合框_搜索API显示.currentSelection() == 0;
  std::vector<char> kindOf(static_cast<std::size_t>(catalog.size()) + 1, 0);
  for (std::int32_t n : inDescription) kindOf[static_cast<std::size_t>(n)] = 2;
  for (std::int32_t n : onName) kindOf[static_cast<std::size_t>(n)] = 1;
  std::vector<platform::ListItem> items;
  items.reserve(onName.size() + inDescription.size());
  for (HitKind kind : {HitKind::onName, HitKind::inDescription}) {
    const char wanted = kind == HitKind::onName ? 1 : 2;
    for (std::int32_t n : catalog.indexOrder(chinese)) {
      if (kindOf[static_cast<std::size_t>(n)] == wanted)
        items.push_back({gbk::Text(catalog.entry(n)->shownName(chinese)), n, false, kind});
    }
  }
  w.列表框_搜索结果.setItemsInOrder(std::move(items));
}

// Entries of `hits` that `besides` does not hold; both ascending.
std::vector<std::int32_t> without(const std::vector<std::int32_t>& hits, const std::vector<std::int32_t>& besides) {
  std::vector<std::int32_t> rest;
  std::ranges::set_difference(hits, besides, std::back_inserter(rest));
  return rest;
}

std::vector<std::int32_t> joined(const std::vector<std::int32_t>& a, const std::vector<std::int32_t>& b) {
  std::vector<std::int32_t> both;
  std::ranges::set_union(a, b, std::back_inserter(both));
  return both;
}

}  // namespace

std::vector<std::int32_t> findApis(const library::Catalog& catalog, std::string_view text) {
  std::vector<std::int32_t> hits;
  for (std::int32_t n = 1; n <= catalog.size(); ++n) {
    const library::CatalogEntry* entry = catalog.entry(n);
    if (entry && gbk::containsIgnoringAsciiCase(entry->line, text)) hits.push_back(n);
  }
  return hits;
}

std::vector<std::int32_t> findApisByPinyin(const library::Catalog& catalog, std::string_view text) {
  std::vector<std::int32_t> hits;
  if (!library::isAsciiLetters(text)) return hits;
  for (library::PinyinSpelling spelling : {library::PinyinSpelling::initials, library::PinyinSpelling::syllables}) {
    library::PinyinMatcher matcher(text, spelling);
    for (std::int32_t n = 1; n <= catalog.size(); ++n) {
      const library::CatalogEntry* entry = catalog.entry(n);
      if (entry && matcher.occursIn(entry->chineseName)) hits.push_back(n);
    }
    if (!hits.empty()) break;
  }
  return hits;
}

bool listApiHits(window::StartupWindow& w, const library::Library& library, const SearchIndex& index,
                 const ConstantIndex& constants, std::string_view text) {
  const library::Catalog& catalog = library.catalog;
  std::vector<std::int32_t> onName = joined(findApis(catalog, text), constants.entriesTaking(text));
  onName = joined(onName, index.findByGloss(text));
  std::vector<std::int32_t> inDescription = without(index.findInDescriptions(text), onName);
  if (onName.empty() && inDescription.empty()) onName = findApisByPinyin(catalog, text);
  listHits(w, catalog, onName, inDescription);
  return !onName.empty() || !inDescription.empty();
}

void 组合框_搜索类型_selectionChanged(window::StartupWindow& w) {
  // The hits and their kind stay until the next search.
  w.组合框_搜索API显示.setEnabled(w.组合框_搜索类型.currentSelection() == 0);
}

void relabelApiHits(window::StartupWindow& w, const library::Catalog& catalog) {
  platform::ListBox& list = w.列表框_搜索结果;
  if (list.count() == 0) return;
  std::int32_t selectedEntry = list.itemData(list.currentSelection());
  std::vector<std::int32_t> hits[2];
  for (int pos = 0; pos < list.count(); ++pos) {
    const HitKind* kind = std::any_cast<HitKind>(&list.items().item(pos).payload);
    hits[kind && *kind == HitKind::inDescription].push_back(list.itemData(pos));
  }
  for (std::vector<std::int32_t>& kind : hits) std::ranges::sort(kind);
  listHits(w, catalog, hits[0], hits[1]);
  if (selectedEntry <= 0) return;
  for (int pos = 0; pos < list.count(); ++pos) {
    if (list.itemData(pos) == selectedEntry) {
      // The view keeps what it shows: no item selected event.
      list.setCurrentSelection(pos);
      return;
    }
  }
}

void showApiHit(window::StartupWindow& w, const library::Library& library) {
  showSelectedApi(w, library, w.列表框_搜索结果);
}

void gatherApiHit(window::StartupWindow& w, const library::Catalog& catalog) {
  gatherSelectedApi(w, catalog, w.列表框_搜索结果);
}

}  // namespace navigation
