#include "navigation/search.h"

#include <algorithm>
#include <iterator>

#include "library/pinyin.h"
#include "navigation/chosen_lists.h"
#include "window/wizard.h"

namespace navigation {
namespace {

// The name an API hit is listed under: Chinese at "显示中文" (position 0), English otherwise.
std::string_view hitName(const window::StartupWindow& w, const library::CatalogEntry& entry) {
  return entry.shownName(w.组合框_搜索API显示.currentSelection() == 0);
}

// The hits, listed under the names that `组合框_搜索API显示` chooses, in one operation.
void listHits(window::StartupWindow& w, const library::Catalog& catalog, const std::vector<std::int32_t>& hits) {
  std::vector<platform::ListItem> items;
  items.reserve(hits.size());
  for (std::int32_t n : hits) {
    if (const library::CatalogEntry* entry = catalog.entry(n)) items.push_back({gbk::Text(hitName(w, *entry)), n});
  }
  w.列表框_搜索结果.setItems(std::move(items));
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

void listApiHits(window::StartupWindow& w, const library::Library& library, const ConstantIndex& constants,
                 std::string_view text) {
  const library::Catalog& catalog = library.catalog;
  std::vector<std::int32_t> hits = findApis(catalog, text);
  std::vector<std::int32_t> naming = constants.entriesTaking(text);
  std::vector<std::int32_t> both;
  std::set_union(hits.begin(), hits.end(), naming.begin(), naming.end(), std::back_inserter(both));
  hits = std::move(both);
  if (hits.empty()) hits = findApisByPinyin(catalog, text);
  listHits(w, catalog, hits);
}

void 组合框_搜索类型_selectionChanged(window::StartupWindow& w) {
  // The hits and their kind stay until the next search.
  w.组合框_搜索API显示.setEnabled(w.组合框_搜索类型.currentSelection() == 0);
}

void relabelApiHits(window::StartupWindow& w, const library::Catalog& catalog) {
  platform::ListBox& list = w.列表框_搜索结果;
  if (list.count() == 0) return;
  std::int32_t selectedEntry = list.itemData(list.currentSelection());
  std::vector<std::int32_t> entries;
  for (int pos = 0; pos < list.count(); ++pos) entries.push_back(list.itemData(pos));
  listHits(w, catalog, entries);
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
