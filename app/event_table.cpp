#include "app/layout.h"
#include "app/wizard_app.h"
#include "navigation/api_index.h"
#include "navigation/category_tree.h"
#include "navigation/chosen_lists.h"
#include "navigation/search.h"
#include "view/declaration_view.h"

namespace app {

void wireEventTable(WizardApp& app) {
  StartupWindow& w = app.window;
  w.启动窗口.onCreated = [&app] { startUp(app); };
  w.启动窗口.onSizeChanged = [&w] { layOut(w); };
  w.选择夹_选用区.onPageChanged = [&app] { 选择夹_选用区_pageChanged(app); };
  w.按钮_关闭程序.onClicked = [&app] { 按钮_关闭程序_clicked(app); };
  w.树型框_API目录.onCurrentItemChanged = [&app] { navigation::树型框_API目录_currentItemChanged(app); };
  w.树型框_API目录.onDoubleClicked = [&app] { navigation::树型框_API目录_doubleClicked(app); };
  w.树型框_API目录.onAboutToExpand = [&app](int pos) { navigation::树型框_API目录_aboutToExpand(app, pos); };
  w.树型框_API目录.onAboutToCollapse = [&app](int pos) { navigation::树型框_API目录_aboutToCollapse(app, pos); };
  w.单选框_中文树形框.onClicked = [&app] { navigation::单选框_中文树形框_clicked(app); };
  w.单选框_英文树形框.onClicked = [&app] { navigation::单选框_英文树形框_clicked(app); };
  w.编辑框_索引.onContentChanged = [&app] { navigation::编辑框_索引_contentChanged(app); };
  w.编辑框_索引.onKeyPressed = [&app](int key) { navigation::编辑框_索引_keyPressed(app, key); };
  w.单选框_中文索引.onClicked = [&app] { navigation::单选框_中文索引_clicked(app); };
  w.单选框_英文索引.onClicked = [&app] { navigation::单选框_英文索引_clicked(app); };
  w.列表框_索引.onItemSelected = [&app] { navigation::列表框_索引_itemSelected(app); };
  w.列表框_索引.onDoubleClicked = [&app] { navigation::列表框_索引_doubleClicked(app); };
  w.编辑框_搜索内容.onKeyPressed = [&app](int key) { navigation::编辑框_搜索内容_keyPressed(app, key); };
  w.组合框_搜索类型.onSelectionChanged = [&app] { navigation::组合框_搜索类型_selectionChanged(app); };
  w.组合框_搜索API显示.onSelectionChanged = [&app] { navigation::组合框_搜索API显示_selectionChanged(app); };
  w.按钮_搜索.onClicked = [&app] { navigation::按钮_搜索_clicked(app); };
  w.列表框_搜索结果.onItemSelected = [&app] { navigation::列表框_搜索结果_itemSelected(app); };
  w.列表框_搜索结果.onDoubleClicked = [&app] { navigation::列表框_搜索结果_doubleClicked(app); };
  w.按钮_全部选择.onClicked = [&app] { navigation::按钮_全部选择_clicked(app); };
  w.按钮_全部放弃.onClicked = [&app] { navigation::按钮_全部放弃_clicked(app); };
  w.按钮_从选用框删除.onClicked = [&app] { navigation::按钮_从选用框删除_clicked(app); };
  w.按钮_清空选用框.onClicked = [&app] { navigation::按钮_清空选用框_clicked(app); };
  w.选择列表框_选用API.onItemSelected = [&app] { navigation::选择列表框_选用API_itemSelected(app); };
  w.单选框_文本形式.onClicked = [&app] { view::单选框_文本形式_clicked(app); };
  w.单选框_代码形式.onClicked = [&app] { view::单选框_代码形式_clicked(app); };
  w.高级表格1.onCurrentCellChanged = [&app] { view::高级表格1_cursorCellChanged(app); };
}

}  // namespace app
