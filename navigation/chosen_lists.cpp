#include "navigation/chosen_lists.h"

#include <any>
#include <utility>

#include "view/declaration_view.h"
#include "window/wizard.h"

namespace navigation {

void showChosenApiPage(window::StartupWindow& w) { w.选择夹_选用区.turnToPage(0); }

int addToChosenApiList(platform::CheckListBox& list, const library::Catalog& catalog, CatalogItem item) {
  // Entry numbers come from the fills; one that names no entry is an internal error.
  const library::CatalogEntry* entry = catalog.entry(item.entryNumber);
  if (!entry) return -1;
  const gbk::Text text = chosenItemText(item, *entry);
  // The text is the identity: compared byte for byte, letter case counting, whatever
  // the sort order (which folds case) puts next to it.
  for (int pos = 0; pos < list.count(); ++pos) {
    if (list.items().item(pos).text == text) return -1;
  }
  const std::int32_t entryNumber = item.entryNumber;
  return list.add(text, entryNumber, std::move(item));
}

const CatalogItem* chosenItemAt(const platform::CheckListBox& list, int pos) {
  return list.items().contains(pos) ? std::any_cast<CatalogItem>(&list.items().item(pos).payload) : nullptr;
}

std::vector<CatalogItem> chosenItems(const platform::CheckListBox& list, WhenNoneTicked whenNoneTicked) {
  std::vector<CatalogItem> chosen;
  for (int pos = 0; pos < list.count(); ++pos) {
    const CatalogItem* item = chosenItemAt(list, pos);
    if (item && list.checked(pos)) chosen.push_back(*item);
  }
  if (chosen.empty() && whenNoneTicked == WhenNoneTicked::takeSelected) {
    if (const CatalogItem* item = chosenItemAt(list, list.currentSelection())) chosen.push_back(*item);
  }
  return chosen;
}

void addCatalogEntryToChosenApiList(window::StartupWindow& w, const library::Catalog& catalog,
                                    std::int32_t entryNumber) {
  if (std::optional<CatalogItem> api = apiOfEntry(catalog, entryNumber)) {
    addToChosenApiList(w.选择列表框_选用API, catalog, std::move(*api));
  }
}

void showSelectedApi(window::StartupWindow& w, const library::Library& library, platform::ListBox& list) {
  int pos = list.currentSelection();
  window::showInStatusBar(w, "API：", list.itemText(pos));
  view::CoverWhileRefilling cover(w);
  if (const library::CatalogEntry* entry = library.catalog.entry(list.itemData(pos))) {
    view::showDeclaration(w, library, {library::DeclarationKind::dllCommand, gbk::Text(entry->chineseName)});
  }
  list.setFocus();
}

void gatherSelectedApi(window::StartupWindow& w, const library::Catalog& catalog, const platform::ListBox& list) {
  showChosenApiPage(w);
  addCatalogEntryToChosenApiList(w, catalog, list.itemData(list.currentSelection()));
}

namespace {

// The tick buttons act on the list of the page on show.
platform::CheckListBox& listOfCurrentPage(window::StartupWindow& w) {
  return w.选择夹_选用区.currentPage() == 0 ? w.选择列表框_选用API : w.选择列表框_选用例程;
}

void setEveryCheck(platform::CheckListBox& list, bool checked) {
  for (int pos = 0; pos < list.count(); ++pos) list.setChecked(pos, checked);
}

}  // namespace

void 按钮_全部选择_clicked(window::StartupWindow& w) { setEveryCheck(listOfCurrentPage(w), true); }

void 按钮_全部放弃_clicked(window::StartupWindow& w) { setEveryCheck(listOfCurrentPage(w), false); }

void 按钮_从选用框删除_clicked(platform::CheckListBox& list) {
  int pos = list.currentSelection();
  list.erase(pos);
  // The item that followed the removed one takes its place; after the last, the new last.
  if (pos > list.count() - 1) pos = list.count() - 1;
  list.setCurrentSelection(pos);
}

void 按钮_清空选用框_clicked(platform::CheckListBox& list) { list.removeAll(); }

void 选择列表框_选用API_itemSelected(window::StartupWindow& w, const library::Library& library) {
  // The first part keeps whatever label the last selection elsewhere gave it.
  w.状态条.setPartText(1, "");
  platform::CheckListBox& list = w.选择列表框_选用API;
  const CatalogItem* item = chosenItemAt(list, list.currentSelection());
  if (!item) return;
  view::showDeclaration(w, library, declarationOf(*item));
  list.setFocus();
}

}  // namespace navigation
