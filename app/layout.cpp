#include "app/layout.h"

#include <algorithm>

#include "window/wizard.h"

namespace app {
namespace {

// The least that the layout leaves the chosen lists and the declaration table.
constexpr int kLeastChosenListWidth = 120;
constexpr int kLeastTableHeight = 3 * 24;  // a heading row and one more above a scroll bar

}  // namespace

void layOut(window::StartupWindow& w) {
  const platform::Size client = w.启动窗口.clientSize();
  // The design's margins, in the display's pixels.
  const auto px = [scale = w.启动窗口.scale()](int length) { return scale.px(length); };
  const int statusHeight = w.状态条.rect().height;
  const int buttonWidth = w.按钮_全部选择.rect().width;

  // The chosen area and the declaration frame fill the width right of the catalog area.
  w.选择夹_选用区.setWidth(client.width - w.选择夹_目录区.rect().width - px(24));
  w.外形框1.setWidth(w.选择夹_选用区.rect().width);
  w.外形框1.setHeight(client.height - w.选择夹_选用区.rect().height - px(24) - statusHeight);
  w.选择列表框_选用API.setWidth(w.选择夹_选用区.clientWidth() - buttonWidth - px(24));
  w.选择列表框_选用例程.setWidth(w.选择列表框_选用API.rect().width);

  // The buttons and the note stand over the chosen area, right of its lists.
  const platform::Rect area = w.选择夹_选用区.rect();
  const int buttonLeft = area.left + area.width - buttonWidth - px(8);
  for (platform::Button* button :
       {&w.按钮_全部选择, &w.按钮_全部放弃, &w.按钮_导入, &w.按钮_从选用框删除, &w.按钮_清空选用框, &w.按钮_关闭程序}) {
    button->setLeft(buttonLeft);
  }
  w.标签2.setLeft(area.left + area.width - buttonWidth - px(6));

  // The declaration view: the grid fills the frame, the text form lies on it.
  w.高级表格1.setWidth(w.外形框1.rect().width - px(16));
  w.高级表格1.setHeight(w.外形框1.rect().height - px(16));
  w.高级表格2.setVisible(false);
  w.编辑框_文本形式.setRect(w.高级表格1.rect());
  w.高级表格_常量.setRect(w.高级表格1.rect());

  // The catalog area runs down to the status bar.
  w.选择夹_目录区.setHeight(client.height - statusHeight - px(12));
  const int catalogHeight = w.选择夹_目录区.rect().height;
  w.树型框_API目录.setHeight(catalogHeight - px(62));
  const platform::Rect tree = w.树型框_API目录.rect();
  w.单选框_中文树形框.setTop(tree.top + tree.height + px(8));
  w.单选框_英文树形框.setTop(tree.top + tree.height + px(8));
  w.列表框_例程列表.setHeight(catalogHeight - px(40));
  w.列表框_索引.setHeight(catalogHeight - px(83));
  w.列表框_搜索结果.setHeight(catalogHeight - px(90));

  window::fitStatusBarName(w);

  // The covers lie exactly on their grids.
  w.画板1.setRect(w.高级表格1.rect());
  w.画板2.setRect(w.高级表格2.rect());
}

platform::Size minimumClientSize(const window::StartupWindow& w) {
  const auto px = [scale = w.启动窗口.scale()](int length) { return scale.px(length); };
  const platform::Rect lastFormRadio = w.单选框_常量形式.rect();
  // The inverse of layOut: the chosen lists keep a width beside the buttons, the form radio
  // buttons stay inside the window, and the frame's table shows its heading row and one more.
  const int chosenAreaWidth = w.按钮_全部选择.rect().width + px(24) + px(kLeastChosenListWidth);
  const int width = std::max(w.选择夹_目录区.rect().width + px(24) + chosenAreaWidth,
                             lastFormRadio.left + lastFormRadio.width + px(8));
  const int frameHeight = px(16) + px(kLeastTableHeight) + px(8);
  const int height = w.选择夹_选用区.rect().height + px(24) + w.状态条.rect().height + frameHeight;
  return {width, height};
}

}  // namespace app
