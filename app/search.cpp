// The search page's handlers: the kind of hits chosen decides whether the catalog or the
// examples database answers, and what a selected hit does.
#include "app/wizard_app.h"

#include "examples/example_opening.h"
#include "examples/example_search.h"
#include "navigation/api_index.h"
#include "navigation/not_found.h"
#include "navigation/search.h"

namespace app {
namespace {

// Made at the first API search: a start that does not search does not pay for it.
const navigation::SearchIndex& apiSearchIndex(WizardApp& app) {
  if (!app.searchIndex) {
    const library::Library& library = app.wizard.library;
    app.searchIndex.emplace(library.catalog, library.texts.dllCommands().text(), library.glossary);
  }
  return *app.searchIndex;
}

}  // namespace

void 编辑框_搜索内容_keyPressed(WizardApp& app, int keyCode) {
  if (keyCode == navigation::kEnterKey) 按钮_搜索_clicked(app);
}

void 按钮_搜索_clicked(WizardApp& app) {
  window::StartupWindow& w = app.wizard.window;
  app.searchResultsAreApis = w.组合框_搜索类型.currentSelection() == 0;
  w.列表框_搜索结果.removeAll();
  const gbk::Text& text = w.编辑框_搜索内容.text();
  if (app.searchResultsAreApis) {
    if (!app.constantIndex) app.constantIndex = std::make_unique<navigation::ConstantIndex>(app.wizard.library);
    navigation::listApiHits(w, app.wizard.library, apiSearchIndex(app), *app.constantIndex, text);
  } else {
    examples::listExampleHits(w.列表框_搜索结果, app.examples.get(), text);
  }
  if (w.列表框_搜索结果.count() == 0) w.状态条.setPartText(1, navigation::notFound(text));
}

// Examples are listed by their file names whichever names the APIs show.
void 组合框_搜索API显示_selectionChanged(WizardApp& app) {
  if (app.searchResultsAreApis) navigation::relabelApiHits(app.wizard.window, app.wizard.library.catalog);
}

// The kind of the hits decides, not the name: a record number is no entry number.
void 列表框_搜索结果_itemSelected(WizardApp& app) {
  if (app.searchResultsAreApis) {
    navigation::showApiHit(app.wizard.window, app.wizard.library);
  } else {
    examples::showExampleHit(app.wizard.window, app.examples.get());
  }
}

void 列表框_搜索结果_doubleClicked(WizardApp& app) {
  if (app.searchResultsAreApis) {
    navigation::gatherApiHit(app.wizard.window, app.wizard.library.catalog);
  } else {
    examples::openExample(app.wizard.services, app.examples.get(), app.wizard.window.列表框_搜索结果);
  }
}

}  // namespace app
