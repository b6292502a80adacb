#include "navigation/api_index.h"

#include <algorithm>

#include "library/pinyin.h"
#include "navigation/chosen_lists.h"
#include "navigation/not_found.h"
#include "window/wizard.h"

namespace navigation {
namespace {

// Chinese names found without a Chinese input method: the first hand-written name, in
// list order, whose pinyin initials begin with the typed letters, failing that the first
// whose syllables joined do. The position, or -1.
int findByPinyin(const platform::ListModel& items, int handWritten, std::string_view typed) {
  if (!library::isAsciiLetters(typed)) return -1;
  for (library::PinyinSpelling spelling : {library::PinyinSpelling::initials, library::PinyinSpelling::syllables}) {
    library::PinyinMatcher matcher(typed, spelling);
    for (int pos = 0; pos < handWritten; ++pos) {
      if (matcher.begins(items.item(pos).text)) return pos;
    }
  }
  return -1;
}

// What the typed text finds in the index, and how.
struct IndexFind {
  int position = -1;
  bool byPinyin = false;
};

// A name that begins with the text; in the Chinese index a Chinese one before a pinyin
// match, and a pinyin match before a generated declaration's English name, so that
// "qu" finds 取… rather than QueryDosDevice.
IndexFind findInIndex(const platform::ListBox& list, const library::Catalog& catalog, bool chinese,
                      std::string_view typed) {
  const int byPrefix = list.items().findPrefix(typed);
  const int handWritten = chinese ? std::min(catalog.handWrittenCount(), list.count()) : 0;
  if (byPrefix >= 0 && byPrefix < handWritten) return {byPrefix, false};
  if (const int byPinyin = findByPinyin(list.items(), handWritten, typed); byPinyin >= 0) return {byPinyin, true};
  return {byPrefix, false};
}

}  // namespace

void fillIndex(window::StartupWindow& w, const library::Catalog& catalog) {
  platform::ListBox& list = w.列表框_索引;
  // The entry, not the position: the other language sorts the names differently.
  std::int32_t selectedEntry = list.itemData(list.currentSelection());
  const bool chinese = w.单选框_中文索引.checked();
  std::vector<platform::ListItem> items;
  items.reserve(static_cast<std::size_t>(catalog.size()));
  // In the list's order already: the list takes them without sorting.
  for (std::int32_t n : catalog.indexOrder(chinese)) {
    if (const library::CatalogEntry* entry = catalog.entry(n))
      items.push_back({gbk::Text(entry->shownName(chinese)), n});
  }
  list.setItemsInOrder(std::move(items));
  if (selectedEntry <= 0) return;
  for (int pos = 0; pos < list.count(); ++pos) {
    if (list.itemData(pos) == selectedEntry) {
      list.setCurrentSelection(pos);
      return;
    }
  }
}

void 编辑框_索引_contentChanged(window::StartupWindow& w, const library::Library& library) {
  const gbk::Text& typed = w.编辑框_索引.text();
  const IndexFind found = findInIndex(w.列表框_索引, library.catalog, w.单选框_中文索引.checked(), typed);
  if (found.position >= 0) w.列表框_索引.setCurrentSelection(found.position);
  // Also when nothing matched: the entry still selected is shown again.
  if (w.列表框_索引.currentSelection() >= 0) 列表框_索引_itemSelected(w, library);
  // The user sees why a name that does not begin with the typed text was chosen, and
  // that the name on view is only the nearest.
  if (found.position < 0) {
    w.状态条.setPartText(1, notFound(typed));
  } else if (found.byPinyin) {
    w.状态条.setPartText(1, typed + " → " + w.列表框_索引.itemText(found.position));
  }
  // Showing the entry moved the focus to the list; the user is still typing.
  w.编辑框_索引.setFocus();
}

void 编辑框_索引_keyPressed(window::StartupWindow& w, const library::Catalog& catalog, int keyCode) {
  if (keyCode == kEnterKey) 列表框_索引_doubleClicked(w, catalog);
}

void 单选框_中文索引_clicked(window::StartupWindow& w, const library::Catalog& catalog) { fillIndex(w, catalog); }

void 单选框_英文索引_clicked(window::StartupWindow& w, const library::Catalog& catalog) { fillIndex(w, catalog); }

void 列表框_索引_itemSelected(window::StartupWindow& w, const library::Library& library) {
  showSelectedApi(w, library, w.列表框_索引);
}

void 列表框_索引_doubleClicked(window::StartupWindow& w, const library::Catalog& catalog) {
  gatherSelectedApi(w, catalog, w.列表框_索引);
}

}  // namespace navigation
