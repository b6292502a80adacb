#include "navigation/api_index.h"

#include "app/wizard_app.h"
#include "navigation/chosen_lists.h"
#include "view/declaration_view.h"

namespace navigation {

void fillIndex(app::WizardApp& app) {
  app::StartupWindow& w = app.window;
  platform::ListBox& list = w.列表框_索引;
  // The entry, not the position: the other language sorts the names differently.
  std::int32_t selectedEntry = list.itemData(list.currentSelection());
  list.removeAll();
  const std::vector<gbk::Text>& lines = app.state.catalogLines;
  for (std::size_t n = 1; n <= lines.size(); ++n) {
    std::vector<gbk::Text> fields = gbk::split(lines[n - 1], ",");
    if (fields.size() < 3) continue;
    list.add(w.单选框_中文索引.checked() ? fields[2] : fields[0], static_cast<std::int32_t>(n));
  }
  if (selectedEntry <= 0) return;
  for (int pos = 0; pos < list.count(); ++pos) {
    if (list.itemData(pos) == selectedEntry) {
      list.setCurrentSelection(pos);
      return;
    }
  }
}

void 编辑框_索引_contentChanged(app::WizardApp& app) {
  app::StartupWindow& w = app.window;
  w.列表框_索引.selectByPrefix(w.编辑框_索引.text());
  // Also when nothing matched: the entry still selected is shown again.
  if (w.列表框_索引.currentSelection() >= 0) 列表框_索引_itemSelected(app);
  // Showing the entry moved the focus to the list; the user is still typing.
  w.编辑框_索引.setFocus();
}

void 编辑框_索引_keyPressed(app::WizardApp& app, int keyCode) {
  if (keyCode == kEnterKey) 列表框_索引_doubleClicked(app);
}

void 单选框_中文索引_clicked(app::WizardApp& app) { fillIndex(app); }

void 单选框_英文索引_clicked(app::WizardApp& app) { fillIndex(app); }

void 列表框_索引_itemSelected(app::WizardApp& app) {
  app::StartupWindow& w = app.window;
  platform::ListBox& list = w.列表框_索引;
  int pos = list.currentSelection();
  app::showInStatusBar(app, "API：", list.itemText(pos));
  view::CoverWhileRefilling cover(app);
  if (const gbk::Text* line = catalogEntry(app.state.catalogLines, list.itemData(pos))) {
    view::showDllCommand(app, *line, true);
  }
  list.setFocus();
}

void 列表框_索引_doubleClicked(app::WizardApp& app) {
  showChosenApiPage(app);
  platform::ListBox& list = app.window.列表框_索引;
  addCatalogEntryToChosenApiList(app, list.itemData(list.currentSelection()));
}

}  // namespace navigation
