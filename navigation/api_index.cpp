#include "navigation/api_index.h"

#include "library/pinyin.h"
#include "navigation/chosen_lists.h"
#include "window/wizard.h"

namespace navigation {
namespace {

// Chinese names found without a Chinese input method: the first name, in list order,
// whose pinyin initials begin with the typed letters, failing that the first whose
// syllables joined do. Selects it and tells whether there was one.
bool selectByPinyin(platform::ListBox& list, std::string_view typed) {
  if (!library::isAsciiLetters(typed)) return false;
  for (library::PinyinSpelling spelling : {library::PinyinSpelling::initials, library::PinyinSpelling::syllables}) {
    library::PinyinMatcher matcher(typed, spelling);
    for (int pos = 0; pos < list.count(); ++pos) {
      if (matcher.begins(list.items().item(pos).text)) {
        list.setCurrentSelection(pos);
        return true;
      }
    }
  }
  return false;
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
  list.setItems(std::move(items));
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
  // Pinyin only where the names' own letters find nothing, and only for Chinese names.
  bool byPinyin =
      !w.列表框_索引.selectByPrefix(typed) && w.单选框_中文索引.checked() && selectByPinyin(w.列表框_索引, typed);
  // Also when nothing matched: the entry still selected is shown again.
  if (w.列表框_索引.currentSelection() >= 0) 列表框_索引_itemSelected(w, library);
  // The user sees why a name that does not begin with the typed text was chosen.
  if (byPinyin) w.状态条.setPartText(1, typed + " → " + w.列表框_索引.itemText(w.列表框_索引.currentSelection()));
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
