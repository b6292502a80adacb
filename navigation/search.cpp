#include "navigation/search.h"

#include "window/wizard.h"
#include "navigation/api_index.h"
#include "navigation/chosen_lists.h"
#include "view/declaration_view.h"

namespace navigation {
namespace {

// The name an API hit is listed under: Chinese at "显示中文" (position 0), English otherwise.
const gbk::Text& hitName(const window::Wizard& wizard, const std::vector<gbk::Text>& fields) {
  return wizard.window.组合框_搜索API显示.currentSelection() == 0 ? fields[2] : fields[0];
}

void addApiHit(window::Wizard& wizard, std::int32_t entryNumber) {
  const gbk::Text* line = catalogEntry(wizard.state.catalogLines, entryNumber);
  if (!line) return;
  std::vector<gbk::Text> fields = gbk::split(*line, ",");
  if (fields.size() < 3) return;
  wizard.window.列表框_搜索结果.add(hitName(wizard, fields), entryNumber);
}

}  // namespace

std::vector<std::int32_t> findApis(const std::vector<gbk::Text>& catalogLines, std::string_view text) {
  std::vector<std::int32_t> hits;
  for (std::size_t n = 1; n <= catalogLines.size(); ++n) {
    const gbk::Text& line = catalogLines[n - 1];
    // Only a line that matches is split.
    if (!gbk::containsIgnoringAsciiCase(line, text)) continue;
    if (gbk::split(line, ",").size() < 3) continue;
    hits.push_back(static_cast<std::int32_t>(n));
  }
  return hits;
}

std::vector<ExampleHit> findExamples(window::Wizard& wizard, std::string_view text) {
  // No database, nothing to search, and no message either.
  if (!wizard.state.examplesDatabaseOpen) return {};
  // TODO: search the examples database: from the first record on, every record whose
  // field 1 (the file name) contains `text`, with its record number.
  static_cast<void>(text);
  return {};
}

void 编辑框_搜索内容_keyPressed(window::Wizard& wizard, int keyCode) {
  if (keyCode == kEnterKey) 按钮_搜索_clicked(wizard);
}

void 按钮_搜索_clicked(window::Wizard& wizard) {
  window::StartupWindow& w = wizard.window;
  bool apis = w.组合框_搜索类型.currentSelection() == 0;
  wizard.state.searchResultsAreApis = apis ? 1 : 0;
  w.列表框_搜索结果.removeAll();
  const gbk::Text& text = w.编辑框_搜索内容.text();
  if (apis) {
    for (std::int32_t n : findApis(wizard.state.catalogLines, text)) addApiHit(wizard, n);
  } else {
    for (const ExampleHit& hit : findExamples(wizard, text)) w.列表框_搜索结果.add(hit.fileName, hit.recordNumber);
  }
}

void 组合框_搜索类型_selectionChanged(window::Wizard& wizard) {
  window::StartupWindow& w = wizard.window;
  // The hits and their kind stay until the next search.
  w.组合框_搜索API显示.setEnabled(w.组合框_搜索类型.currentSelection() == 0);
}

void 组合框_搜索API显示_selectionChanged(window::Wizard& wizard) {
  platform::ListBox& list = wizard.window.列表框_搜索结果;
  if (list.count() == 0 || !wizard.state.searchResultsAreApis) return;
  std::int32_t selectedEntry = list.itemData(list.currentSelection());
  std::vector<std::int32_t> entries;
  for (int pos = 0; pos < list.count(); ++pos) entries.push_back(list.itemData(pos));
  list.removeAll();
  for (std::int32_t n : entries) addApiHit(wizard, n);
  if (selectedEntry <= 0) return;
  for (int pos = 0; pos < list.count(); ++pos) {
    if (list.itemData(pos) == selectedEntry) {
      // The view keeps what it shows: no item selected event.
      list.setCurrentSelection(pos);
      return;
    }
  }
}

void 列表框_搜索结果_itemSelected(window::Wizard& wizard) {
  window::StartupWindow& w = wizard.window;
  platform::ListBox& list = w.列表框_搜索结果;
  int pos = list.currentSelection();
  gbk::Text text = list.itemText(pos);
  window::showInStatusBar(wizard.window, wizard.state.searchResultsAreApis ? "API：" : "API例程：", text);
  view::CoverWhileRefilling cover(wizard);
  // Example file names end in ".e"; an example hit shows nothing beyond the status bar.
  if (text.ends_with(".e")) return;
  if (const gbk::Text* line = catalogEntry(wizard.state.catalogLines, list.itemData(pos))) {
    view::showDllCommand(wizard, *line, true);
  }
  list.setFocus();
}

void 列表框_搜索结果_doubleClicked(window::Wizard& wizard) {
  if (!wizard.state.searchResultsAreApis) return;  // opening an example joins with the examples database
  showChosenApiPage(wizard);
  platform::ListBox& list = wizard.window.列表框_搜索结果;
  addCatalogEntryToChosenApiList(wizard, list.itemData(list.currentSelection()));
}

}  // namespace navigation
