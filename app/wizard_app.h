// The wizard program: program start, the handlers of the window itself and shut-down.
#pragma once

#include <memory>
#include <optional>

#include "examples/example_database.h"
#include "ide_link/import.h"
#include "navigation/search_index.h"
#include "navigation/constant_index.h"
#include "window/wizard.h"

namespace app {

class WizardApp {
 public:
  // Program start: the start-up window and its event table, over a library that outlives them.
  WizardApp(const window::Services& services, const library::Library& library);

  // Shows the window and runs it until it is destroyed, then shuts down; the exit code.
  int run();

  window::Wizard wizard;
  // The examples database, open from start-up to the end; null when it could not be
  // opened (the open flag).
  std::unique_ptr<examples::ExampleDatabase> examples;
  // What the search page lists: API hits, or example hits. The search's handlers, which
  // reach both the catalog and the examples, keep it.
  bool searchResultsAreApis = false;
  // What the API search looks into besides the catalog lines, made at the first API search.
  std::optional<navigation::SearchIndex> searchIndex;
  // Which APIs take each constant: made at the first API search, which needs it.
  std::unique_ptr<navigation::ConstantIndex> constantIndex;
  // An import waiting for the IDE's answer. The button, Esc and the window's tick reach it.
  ide_link::ImportWait importWait;
};

// Handlers of the window itself and of the controls that serve both the APIs and the
// examples (the event table wires them).
// Start-up fills what the first paint shows; the rest, the examples and the index on
// pages not on view, follows it, before any message is handled.
void startUp(WizardApp& app);
void startUpAfterFirstPaint(WizardApp& app);
void 选择夹_选用区_pageChanged(WizardApp& app);
void 按钮_关闭程序_clicked(window::StartupWindow& w);
// Page 0 imports the ticked APIs; the examples page saves the ticked examples. While an
// import waits for the IDE, the button gives the wait up.
void 按钮_导入_clicked(WizardApp& app);
// Esc closes the window; while an import waits, it gives the wait up instead.
void 启动窗口_escapePressed(WizardApp& app);
void 启动窗口_ticked(WizardApp& app);
// The chosen API list's context menu (its one item, the copy) and Ctrl+C copy the
// chosen declarations as E text.
void 选择列表框_选用API_contextMenuChosen(window::Wizard& wizard, int menuItem);
void 选择列表框_选用API_copyKeyPressed(window::Wizard& wizard);
void 编辑框_搜索内容_keyPressed(WizardApp& app, int keyCode);
void 按钮_搜索_clicked(WizardApp& app);
void 组合框_搜索API显示_selectionChanged(WizardApp& app);
void 列表框_搜索结果_itemSelected(WizardApp& app);
void 列表框_搜索结果_doubleClicked(WizardApp& app);
// Releases what the run held after the message loop has ended: the import wait and the
// examples database.
void shutDown(WizardApp& app);

// Wires every control event of the start-up window to its handler.
void wireEventTable(WizardApp& app);

}  // namespace app
