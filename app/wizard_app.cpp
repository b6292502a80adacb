#include "app/wizard_app.h"

#include "app/keeping.h"
#include "app/layout.h"

#include "examples/example_lists.h"
#include "examples/example_opening.h"
#include "ide_link/copy_as_text.h"
#include "ide_link/import.h"
#include "navigation/api_index.h"
#include "navigation/category_tree.h"

namespace app {

WizardApp::WizardApp(const window::Services& s, const library::Library& l) : wizard(s, l) { wireEventTable(*this); }

int WizardApp::run() {
  int exitCode = wizard.services.ui.run(wizard.window.启动窗口);
  shutDown(*this);
  return exitCode;
}

void startUp(WizardApp& app) {
  window::Wizard& wizard = app.wizard;
  window::StartupWindow& w = wizard.window;
  // The declaration view measures cell texts in this board's font.
  w.画板1.setFontToDefaultGuiFont(10);
  w.启动窗口.setMinimumClientSize(minimumClientSize(w));
  wizard.services.dialogs.setSaveInitialFolder(
      [&shell = wizard.services.shell] { return shell.documentsFolder().asFolder(); });
  KeptAtStart kept = readKeptState(wizard.services);
  restorePlaceAndLanguages(w, wizard.services.ui, kept.state);
  navigation::fillCategoryTree(w, wizard.library.catalog);
  restoreChoices(w, wizard.library, kept);
  if (!kept.note.empty()) window::showInStatusBar(w, "注意：", kept.note);
}

void startUpAfterFirstPaint(WizardApp& app) {
  window::Wizard& wizard = app.wizard;
  window::StartupWindow& w = wizard.window;
  app.examples = examples::openExamplesDatabase(wizard.services.files, wizard.services.shell.programFolder(),
                                                wizard.services.messages);
  if (app.examples) examples::fillExampleList(*app.examples, w.列表框_例程列表);
  navigation::fillIndex(w, wizard.library.catalog);
}

void 选择夹_选用区_pageChanged(WizardApp& app) {
  window::StartupWindow& w = app.wizard.window;
  bool chosenApiPage = w.选择夹_选用区.currentPage() == 0;
  window::showImportButtonCaption(w, app.importWait.waiting());
  if (chosenApiPage) {
    if (w.选择列表框_选用API.currentSelection() == -1) w.选择列表框_选用API.setCurrentSelection(0);
  } else {
    examples::fillRelatedExamplesList(w, app.wizard.library.catalog, app.examples.get());
  }
  w.按钮_从选用框删除.setEnabled(chosenApiPage);
  w.按钮_清空选用框.setEnabled(chosenApiPage);
}

void 按钮_关闭程序_clicked(window::StartupWindow& w) { w.启动窗口.close(); }

void 按钮_导入_clicked(WizardApp& app) {
  if (app.importWait.waiting()) {
    ide_link::giveUpImport(app.wizard.window, app.importWait);
  } else if (app.wizard.window.选择夹_选用区.currentPage() == 0) {
    ide_link::importChosenApis(app.wizard, ide_link::wizardRequestBuffer(), app.importWait);
  } else {
    examples::saveChosenExamples(app.wizard.services, app.examples.get(), app.wizard.window.选择列表框_选用例程);
  }
}

void 启动窗口_escapePressed(WizardApp& app) {
  if (app.importWait.waiting()) {
    ide_link::giveUpImport(app.wizard.window, app.importWait);
  } else {
    app.wizard.window.启动窗口.close();
  }
}

void 启动窗口_ticked(WizardApp& app) { ide_link::checkImportAnswer(app.wizard, app.importWait); }

void 选择列表框_选用API_contextMenuChosen(window::Wizard& wizard, int menuItem) {
  if (menuItem == 0) ide_link::copyChosenDeclarations(wizard);
}

void 选择列表框_选用API_copyKeyPressed(window::Wizard& wizard) { ide_link::copyChosenDeclarations(wizard); }

void shutDown(WizardApp& app) {
  keepState(app.wizard);
  app.importWait = {};
  app.examples.reset();
}

}  // namespace app
