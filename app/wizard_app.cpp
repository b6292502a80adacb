#include "app/wizard_app.h"

#include "app/layout.h"
#include "library/builtin_data.h"
#include "library/catalog.h"
#include "navigation/api_index.h"
#include "navigation/category_tree.h"

namespace app {

WizardApp::WizardApp(const Services& s) : services(s), window(s.ui) {
  // The renderer measures in `画板1`'s font, so it comes once the window's controls exist.
  state.gridRenderer = std::make_unique<view::GridRenderer>(window.画板1);
  wireEventTable(*this);
}

int WizardApp::run() {
  int exitCode = services.ui.run(window.启动窗口);
  shutDown(state);
  return exitCode;
}

void startUp(WizardApp& app) {
  StartupWindow& w = app.window;
  // The declaration view measures cell texts in this board's font.
  w.画板1.setFontToDefaultGuiFont(10);
  app.state.catalogLines = library::buildCatalogLineList(library::apiCatalogText());
  app.services.dialogs.setSaveInitialFolder(app.services.shell.documentsFolder() + "\\");
  navigation::fillCategoryTree(app);
  navigation::fillIndex(app);
}

void 选择夹_选用区_pageChanged(WizardApp& app) {
  StartupWindow& w = app.window;
  bool chosenApiPage = w.选择夹_选用区.currentPage() == 0;
  if (chosenApiPage) {
    w.按钮_导入.setText("导入(&Z)");
    if (w.选择列表框_选用API.currentSelection() == -1) w.选择列表框_选用API.setCurrentSelection(0);
  } else {
    w.按钮_导入.setText("打开例程(&O)");
  }
  w.按钮_从选用框删除.setEnabled(chosenApiPage);
  w.按钮_清空选用框.setEnabled(chosenApiPage);
}

void showInStatusBar(WizardApp& app, std::string_view kind, std::string_view name) {
  StartupWindow& w = app.window;
  w.状态条.setPartText(0, kind);
  w.状态条.setPartWidth(0, w.画板1.measureText(kind).width + 5);
  w.状态条.setPartText(1, name);
}

void 按钮_关闭程序_clicked(WizardApp& app) { app.window.启动窗口.close(); }

void shutDown(GlobalState& state) {
  state.catalogLines.clear();
  state.catalogLines.shrink_to_fit();
  state.gridRenderer.reset();
  state.lookupLists = {};
}

}  // namespace app
