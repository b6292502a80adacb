#include "navigation/chosen_lists.h"

#include "window/wizard.h"
#include "view/declaration_view.h"

namespace navigation {

void showChosenApiPage(window::StartupWindow& w) {
  w.选择夹_选用区.turnToPage(0);
}

void addToChosenApiList(platform::CheckListBox& list, std::string_view text, std::int32_t entryNumber) {
  // The text is the identity: compared byte for byte, letter case counting, whatever
  // the sort order (which folds case) puts next to it.
  for (int pos = 0; pos < list.count(); ++pos) {
    if (list.items().item(pos).text == text) return;
  }
  list.add(text, entryNumber);
}

void addCatalogEntryToChosenApiList(window::StartupWindow& w, const library::Catalog& catalog,
                                    std::int32_t entryNumber) {
  if (entryNumber <= 0) return;
  if (const library::CatalogEntry* entry = catalog.entry(entryNumber)) {
    addToChosenApiList(w.选择列表框_选用API, library::apiItemText(*entry), entryNumber);
  }
}

void showSelectedApi(window::StartupWindow& w, const library::Catalog& catalog, platform::ListBox& list) {
  int pos = list.currentSelection();
  window::showInStatusBar(w, "API：", list.itemText(pos));
  view::CoverWhileRefilling cover(w);
  if (const library::CatalogEntry* entry = catalog.entry(list.itemData(pos))) {
    view::showDllCommand(w, entry->chineseName);
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

std::vector<library::DeclarationName> declarationsToCopy(const platform::CheckListBox& list,
                                                         const library::Catalog& catalog) {
  std::vector<int> positions;
  for (int pos = 0; pos < list.count(); ++pos) {
    if (list.checked(pos)) positions.push_back(pos);
  }
  if (positions.empty() && list.currentSelection() >= 0) positions.push_back(list.currentSelection());

  std::vector<library::DeclarationName> names;
  for (int pos : positions) {
    gbk::Text text = list.itemText(pos);
    if (text.starts_with(kDataTypeItemPrefix)) {
      names.push_back({library::DeclarationKind::dataType, text.substr(kDataTypeItemPrefix.size())});
    } else if (const library::CatalogEntry* entry = catalog.entry(list.itemData(pos))) {
      names.push_back({library::DeclarationKind::dllCommand, gbk::trim(entry->chineseName)});
    }
  }
  return names;
}

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

void 选择列表框_选用API_itemSelected(window::StartupWindow& w) {
  // The first part keeps whatever label the last selection elsewhere gave it.
  w.状态条.setPartText(1, "");
  platform::CheckListBox& list = w.选择列表框_选用API;
  int pos = list.currentSelection();
  if (pos < 0) return;
  gbk::Text text = list.itemText(pos);
  if (text.starts_with(kDataTypeItemPrefix)) {
    view::showDataType(w, std::string_view(text).substr(kDataTypeItemPrefix.size()));
  } else {
    std::vector<gbk::Text> pieces = gbk::split(text, "/");
    // Every API item text holds " / "; a text without it cannot come from the add rule.
    if (pieces.size() < 2) return;
    view::showDllCommand(w, gbk::trim(pieces[1]));
  }
  list.setFocus();
}

}  // namespace navigation
