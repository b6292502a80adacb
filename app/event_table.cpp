#include "app/layout.h"
#include "app/wizard_app.h"
#include "examples/example_lists.h"
#include "examples/example_opening.h"
#include "ide_link/copy_as_text.h"
#include "navigation/api_index.h"
#include "navigation/category_tree.h"
#include "navigation/chosen_lists.h"
#include "navigation/search.h"
#include "view/declaration_view.h"

namespace app {

void wireEventTable(WizardApp& app) {
  window::Wizard& wizard = app.wizard;
  window::StartupWindow& w = wizard.window;
  const library::Library& library = wizard.library;
  const library::Catalog& catalog = library.catalog;
  w.启动窗口.onCreated = [&app] { startUp(app); };
  w.启动窗口.onFirstPainted = [&app] { startUpAfterFirstPaint(app); };
  w.启动窗口.onSizeChanged = [&w] { layOut(w); };
  w.启动窗口.onEscapePressed = [&app] { 启动窗口_escapePressed(app); };
  w.启动窗口.onTicked = [&app] { 启动窗口_ticked(app); };
  w.选择夹_选用区.onPageChanged = [&app] { 选择夹_选用区_pageChanged(app); };
  w.按钮_关闭程序.onClicked = [&w] { 按钮_关闭程序_clicked(w); };
  w.按钮_导入.onClicked = [&app] { 按钮_导入_clicked(app); };
  w.树型框_API目录.onCurrentItemChanged = [&w, &library] { navigation::树型框_API目录_currentItemChanged(w, library); };
  w.树型框_API目录.onDoubleClicked = [&w, &catalog] { navigation::树型框_API目录_doubleClicked(w, catalog); };
  w.树型框_API目录.onAboutToExpand = [&w](int pos) { navigation::树型框_API目录_aboutToExpand(w.树型框_API目录, pos); };
  w.树型框_API目录.onAboutToCollapse = [&w](int pos) {
    navigation::树型框_API目录_aboutToCollapse(w.树型框_API目录, pos);
  };
  w.单选框_中文树形框.onClicked = [&w, &catalog] { navigation::单选框_中文树形框_clicked(w, catalog); };
  w.单选框_英文树形框.onClicked = [&w, &catalog] { navigation::单选框_英文树形框_clicked(w, catalog); };
  w.编辑框_索引.onContentChanged = [&w, &library] { navigation::编辑框_索引_contentChanged(w, library); };
  w.编辑框_索引.onKeyPressed = [&w, &catalog](int key) { navigation::编辑框_索引_keyPressed(w, catalog, key); };
  w.单选框_中文索引.onClicked = [&w, &catalog] { navigation::单选框_中文索引_clicked(w, catalog); };
  w.单选框_英文索引.onClicked = [&w, &catalog] { navigation::单选框_英文索引_clicked(w, catalog); };
  w.列表框_索引.onItemSelected = [&w, &library] { navigation::列表框_索引_itemSelected(w, library); };
  w.列表框_索引.onDoubleClicked = [&w, &catalog] { navigation::列表框_索引_doubleClicked(w, catalog); };
  w.编辑框_搜索内容.onKeyPressed = [&app](int key) { 编辑框_搜索内容_keyPressed(app, key); };
  w.组合框_搜索类型.onSelectionChanged = [&w] { navigation::组合框_搜索类型_selectionChanged(w); };
  w.组合框_搜索API显示.onSelectionChanged = [&app] { 组合框_搜索API显示_selectionChanged(app); };
  w.按钮_搜索.onClicked = [&app] { 按钮_搜索_clicked(app); };
  w.列表框_搜索结果.onItemSelected = [&app] { 列表框_搜索结果_itemSelected(app); };
  w.列表框_搜索结果.onDoubleClicked = [&app] { 列表框_搜索结果_doubleClicked(app); };
  w.按钮_全部选择.onClicked = [&w] { navigation::按钮_全部选择_clicked(w); };
  w.按钮_全部放弃.onClicked = [&w] { navigation::按钮_全部放弃_clicked(w); };
  w.按钮_从选用框删除.onClicked = [&w] { navigation::按钮_从选用框删除_clicked(w.选择列表框_选用API); };
  w.按钮_清空选用框.onClicked = [&w] { navigation::按钮_清空选用框_clicked(w.选择列表框_选用API); };
  w.选择列表框_选用API.onItemSelected = [&w, &library] { navigation::选择列表框_选用API_itemSelected(w, library); };
  w.选择列表框_选用API.contextMenu = {gbk::Text(ide_link::kCopyMenuItem)};
  w.选择列表框_选用API.onContextMenuChosen = [&wizard](int item) {
    选择列表框_选用API_contextMenuChosen(wizard, item);
  };
  w.选择列表框_选用API.onCopyKeyPressed = [&wizard] { 选择列表框_选用API_copyKeyPressed(wizard); };
  w.单选框_文本形式.onClicked = [&w] { view::单选框_文本形式_clicked(w); };
  w.单选框_代码形式.onClicked = [&w] { view::单选框_代码形式_clicked(w); };
  w.单选框_常量形式.onClicked = [&w] { view::单选框_常量形式_clicked(w); };
  w.高级表格1.onCurrentCellChanged = [&w, &library] { view::高级表格1_cursorCellChanged(w, library.texts); };
  w.列表框_例程列表.onItemSelected = [&app] {
    examples::列表框_例程列表_itemSelected(app.wizard.window, app.examples.get());
  };
  w.列表框_例程列表.onDoubleClicked = [&app] {
    examples::列表框_例程列表_doubleClicked(app.wizard.services, app.examples.get(), app.wizard.window.列表框_例程列表);
  };
  w.选择列表框_选用例程.onItemSelected = [&w] { examples::选择列表框_选用例程_itemSelected(w.状态条); };
  w.选择列表框_选用例程.onDoubleClicked = [&app] {
    examples::选择列表框_选用例程_doubleClicked(app.wizard.services, app.examples.get(),
                                                app.wizard.window.选择列表框_选用例程);
  };
}

}  // namespace app
