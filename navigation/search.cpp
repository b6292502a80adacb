#include "navigation/search.h"

#include "app/wizard_app.h"
#include "navigation/api_index.h"
#include "navigation/chosen_lists.h"
#include "view/declaration_view.h"

namespace navigation {
namespace {

// The name an API hit is listed under: Chinese at "显示中文" (position 0), English otherwise.
const gbk::Text& hitName(const app::WizardApp& app, const std::vector<gbk::Text>& fields) {
  return app.window.组合框_搜索API显示.currentSelection() == 0 ? fields[2] : fields[0];
}

void addApiHit(app::WizardApp& app, std::int32_t entryNumber) {
  const gbk::Text* line = catalogEntry(app.state.catalogLines, entryNumber);
  if (!line) return;
  std::vector<gbk::Text> fields = gbk::split(*line, ",");
  if (fields.size() < 3) return;
  app.window.列表框_搜索结果.add(hitName(app, fields), entryNumber);
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

std::vector<ExampleHit> findExamples(app::WizardApp& app, std::string_view text) {
  // No database, nothing to search, and no message either.
  if (!app.state.examplesDatabaseOpen) return {};
  // The database's own search joins here: from the first record on, every record whose
  // field 1 (the file name) contains `text`, with its record number.
  static_cast<void>(text);
  return {};
}

void 编辑框_搜索内容_keyPressed(app::WizardApp& app, int keyCode) {
  if (keyCode == kEnterKey) 按钮_搜索_clicked(app);
}

void 按钮_搜索_clicked(app::WizardApp& app) {
  app::StartupWindow& w = app.window;
  bool apis = w.组合框_搜索类型.currentSelection() == 0;
  app.state.searchResultsAreApis = apis ? 1 : 0;
  w.列表框_搜索结果.removeAll();
  const gbk::Text& text = w.编辑框_搜索内容.text();
  if (apis) {
    for (std::int32_t n : findApis(app.state.catalogLines, text)) addApiHit(app, n);
  } else {
    for (const ExampleHit& hit : findExamples(app, text)) w.列表框_搜索结果.add(hit.fileName, hit.recordNumber);
  }
}

void 组合框_搜索类型_selectionChanged(app::WizardApp& app) {
  app::StartupWindow& w = app.window;
  // The hits and their kind stay until the next search.
  w.组合框_搜索API显示.setEnabled(w.组合框_搜索类型.currentSelection() == 0);
}

void 组合框_搜索API显示_selectionChanged(app::WizardApp& app) {
  platform::ListBox& list = app.window.列表框_搜索结果;
  if (list.count() == 0 || !app.state.searchResultsAreApis) return;
  std::int32_t selectedEntry = list.itemData(list.currentSelection());
  std::vector<std::int32_t> entries;
  for (int pos = 0; pos < list.count(); ++pos) entries.push_back(list.itemData(pos));
  list.removeAll();
  for (std::int32_t n : entries) addApiHit(app, n);
  if (selectedEntry <= 0) return;
  for (int pos = 0; pos < list.count(); ++pos) {
    if (list.itemData(pos) == selectedEntry) {
      // The view keeps what it shows: no item selected event.
      list.setCurrentSelection(pos);
      return;
    }
  }
}

void 列表框_搜索结果_itemSelected(app::WizardApp& app) {
  app::StartupWindow& w = app.window;
  platform::ListBox& list = w.列表框_搜索结果;
  int pos = list.currentSelection();
  gbk::Text text = list.itemText(pos);
  app::showInStatusBar(app, app.state.searchResultsAreApis ? "API：" : "API例程：", text);
  view::CoverWhileRefilling cover(app);
  // Example file names end in ".e"; an example hit shows nothing beyond the status bar.
  if (text.ends_with(".e")) return;
  if (const gbk::Text* line = catalogEntry(app.state.catalogLines, list.itemData(pos))) {
    view::showDllCommand(app, *line, true);
  }
  list.setFocus();
}

void 列表框_搜索结果_doubleClicked(app::WizardApp& app) {
  if (!app.state.searchResultsAreApis) return;  // opening an example joins with the examples database
  showChosenApiPage(app);
  platform::ListBox& list = app.window.列表框_搜索结果;
  addCatalogEntryToChosenApiList(app, list.itemData(list.currentSelection()));
}

}  // namespace navigation
