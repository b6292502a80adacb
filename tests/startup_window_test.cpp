#include <gtest/gtest.h>

#include <tuple>

#include "app/wizard_app.h"
#include "platform/headless/headless_ui.h"
#include "tests/headless_wizard.h"
#include "tests/path_printing.h"

namespace {

using platform::Rect;
using platform::headless::HeadlessUi;

class StartupWindowTest : public ::testing::Test, protected HeadlessWizard {
 protected:
  void resizeClient(int width, int height) { w.启动窗口.userResized({width, height}); }
};

TEST_F(StartupWindowTest, StartsWithTheDesignedWindow) {
  // The status bar as designed, before the start-up fills show their first item.
  ASSERT_EQ(w.状态条.parts().size(), 3u);
  EXPECT_EQ(w.状态条.parts()[0].text, "数据类型：");
  EXPECT_EQ(w.状态条.parts()[0].width, 60);
  EXPECT_EQ(w.状态条.parts()[1].text, "Halvorin：https://www.halvorin.com");
  start();
  EXPECT_EQ(w.启动窗口.text(), "Kelvane V2.0版  Halvorin：https://www.halvorin.com");
  EXPECT_EQ(w.启动窗口.rect().width, 671);
  EXPECT_EQ(w.启动窗口.rect().height, 572);
  EXPECT_EQ(w.选择夹_目录区.pages(), (std::vector<std::string>{"API目录", "例程列表", "API索引", "搜索"}));
  EXPECT_EQ(w.选择夹_选用区.pages(), (std::vector<std::string>{"选用API数据", "API相关例程"}));
  EXPECT_EQ(w.选择夹_目录区.currentPage(), 0);
  EXPECT_EQ(w.选择夹_选用区.currentPage(), 0);
  EXPECT_EQ(w.按钮_导入.text(), "导入(&Z)");
  EXPECT_EQ(w.标签2.text(), "*注意：\r\n请通过易语言菜单“工具->执行易向导”启动本程序以实现添加API到易程序。");
  EXPECT_TRUE(w.单选框_中文树形框.checked());
  EXPECT_FALSE(w.单选框_英文树形框.checked());
  EXPECT_TRUE(w.单选框_代码形式.checked());
  EXPECT_EQ(w.组合框_搜索类型.itemText(w.组合框_搜索类型.currentSelection()), "搜索API");
  EXPECT_EQ(w.组合框_搜索API显示.itemText(1), "显示英文");
  EXPECT_FALSE(w.编辑框_文本形式.visible());
  EXPECT_FALSE(w.画板1.visible());
  EXPECT_EQ(ui.boardFontPoints(w.画板1), 10);
  // The shell's folder is found when the save dialog first wants it, not at start-up.
  EXPECT_EQ(shell.documentsFolderAsked, 0);
  EXPECT_EQ(dialogs.saveInitialFolder(), platform::Path(u"C:\\Users\\user\\Documents\\"));
  EXPECT_EQ(shell.documentsFolderAsked, 1);
}

TEST_F(StartupWindowTest, StartUpBuildsTheCatalogLineList) {
  start();
  ASSERT_GT(catalog().size(), 0);
  for (std::int32_t n = 1; n <= catalog().size(); ++n) EXPECT_NE(catalog().entry(n), nullptr);
}

TEST_F(StartupWindowTest, LayoutAtTheDesignSize) {
  start();  // client 663 x 538
  EXPECT_EQ(w.选择夹_选用区.rect(), (Rect{235, 8, 420, 314}));
  EXPECT_EQ(w.外形框1.rect(), (Rect{232, 334, 420, 180}));
  EXPECT_EQ(w.选择列表框_选用API.rect().width, 300);
  EXPECT_EQ(w.按钮_全部选择.rect().left, 551);
  EXPECT_EQ(w.标签2.rect().left, 553);
  EXPECT_EQ(w.选择夹_目录区.rect().height, 506);
  EXPECT_EQ(w.树型框_API目录.rect().height, 444);
  EXPECT_EQ(w.单选框_中文树形框.rect().top, 482);
  EXPECT_EQ(w.列表框_索引.rect().height, 423);
}

// Lengths of the design come to the display as Windows' MulDiv(length, dpi, 96) gives them.
TEST(Scale, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(platform::Scale{120}.px(1), 1);    // 1.25
  EXPECT_EQ(platform::Scale{120}.px(2), 3);    // 2.5
  EXPECT_EQ(platform::Scale{144}.px(-3), -5);  // -4.5
  EXPECT_EQ(platform::Scale{144}.px(671), 1007);
  EXPECT_EQ(platform::Scale{96}.px(-7), -7);
  EXPECT_EQ(platform::Scale{192}.rect({1, -2, 3, 4}), (Rect{2, -4, 6, 8}));
}

// Every layout rule holds at every size and on displays of 96, 120, 144 and 192 pixels
// per inch, with the design's margins in the display's pixels.
class LayoutSizes : public ::testing::TestWithParam<std::tuple<int, platform::Size>>, protected HeadlessWizard {
 protected:
  LayoutSizes() : HeadlessWizard(platform::Scale{std::get<0>(GetParam())}) {}
};

TEST_P(LayoutSizes, KeepsButtonsGridsAndCoversInPlace) {
  const platform::Scale scale{std::get<0>(GetParam())};
  const platform::Size client = std::get<1>(GetParam());
  EXPECT_EQ(w.状态条.parts()[0].width, scale.px(60));  // as designed, before start-up names the first API
  start();
  EXPECT_EQ(w.启动窗口.rect(), scale.rect({50, 50, 671, 572}));
  EXPECT_EQ(w.高级表格1.defaultRowHeight(), scale.px(24));
  w.高级表格2.setVisible(true);
  w.启动窗口.userResized(client);
  const Rect area = w.选择夹_选用区.rect();
  for (platform::Button* b :
       {&w.按钮_全部选择, &w.按钮_全部放弃, &w.按钮_导入, &w.按钮_从选用框删除, &w.按钮_清空选用框, &w.按钮_关闭程序}) {
    EXPECT_EQ(b->rect().left + b->rect().width, area.left + area.width - scale.px(8)) << b->name();
  }
  EXPECT_EQ(w.标签2.rect().left, area.left + area.width - scale.px(96) - scale.px(6));
  EXPECT_EQ(w.编辑框_文本形式.rect(), w.高级表格1.rect());
  EXPECT_EQ(w.画板1.rect(), w.高级表格1.rect());
  EXPECT_EQ(w.画板2.rect(), w.高级表格2.rect());
  EXPECT_FALSE(w.高级表格2.visible());
  EXPECT_EQ(area.width, client.width - scale.px(219) - scale.px(24));
  EXPECT_EQ(w.选择列表框_选用API.rect().width, area.width - scale.px(96) - scale.px(24));
  EXPECT_EQ(w.外形框1.rect().height, client.height - scale.px(314) - scale.px(24) - w.状态条.rect().height);
  EXPECT_EQ(w.高级表格1.rect().width, w.外形框1.rect().width - scale.px(16));
  EXPECT_EQ(w.选择夹_目录区.rect().height, client.height - w.状态条.rect().height - scale.px(12));
  const Rect tree = w.树型框_API目录.rect();
  EXPECT_EQ(tree.height, w.选择夹_目录区.rect().height - scale.px(62));
  EXPECT_EQ(w.单选框_英文树形框.rect().top, tree.top + tree.height + scale.px(8));
  EXPECT_EQ(w.列表框_搜索结果.rect().height, w.选择夹_目录区.rect().height - scale.px(90));
  EXPECT_EQ(w.列表框_索引.rect().height, w.选择夹_目录区.rect().height - scale.px(83));
  EXPECT_EQ(w.列表框_例程列表.rect().height, w.选择夹_目录区.rect().height - scale.px(40));
  // Tops stay as designed.
  EXPECT_EQ(w.按钮_关闭程序.rect().top, scale.px(290));
  EXPECT_EQ(w.选择夹_选用区.rect().height, scale.px(314));
}

// The design's client size, larger, smaller, and so small that widths and heights go
// negative; at every scale.
INSTANTIATE_TEST_SUITE_P(Sizes, LayoutSizes,
                         ::testing::Combine(::testing::Values(96, 120, 144, 192),
                                            ::testing::Values(platform::Size{663, 538}, platform::Size{1200, 900},
                                                              platform::Size{500, 420}, platform::Size{120, 80},
                                                              platform::Size{0, 0})),
                         [](const ::testing::TestParamInfo<std::tuple<int, platform::Size>>& info) {
                           const platform::Size size = std::get<1>(info.param);
                           return std::to_string(std::get<0>(info.param)) + "dpi_" + std::to_string(size.width) + "x" +
                                  std::to_string(size.height);
                         });

TEST_F(StartupWindowTest, PageSwitchRelabelsImportAndDisablesRemoveAndClear) {
  start();
  w.选择夹_选用区.userChangedPage(1);
  EXPECT_EQ(w.按钮_导入.text(), "打开例程(&O)");
  EXPECT_FALSE(w.按钮_从选用框删除.enabled());
  EXPECT_FALSE(w.按钮_清空选用框.enabled());
  EXPECT_TRUE(w.按钮_全部选择.enabled());
  EXPECT_TRUE(ui.shownOnScreen(w.选择列表框_选用例程));
  EXPECT_FALSE(ui.shownOnScreen(w.选择列表框_选用API));

  w.选择夹_选用区.userChangedPage(0);
  EXPECT_EQ(w.按钮_导入.text(), "导入(&Z)");
  EXPECT_TRUE(w.按钮_从选用框删除.enabled());
  EXPECT_TRUE(w.按钮_清空选用框.enabled());
  EXPECT_TRUE(ui.shownOnScreen(w.选择列表框_选用API));
  EXPECT_FALSE(ui.shownOnScreen(w.选择列表框_选用例程));
  // An empty chosen list keeps no current item.
  EXPECT_EQ(w.选择列表框_选用API.currentSelection(), -1);
}

TEST_F(StartupWindowTest, PageZeroSelectsTheFirstChosenItemWhenNoneIsSelected) {
  start();
  w.选择列表框_选用API.add("b");
  w.选择列表框_选用API.add("a");
  w.选择夹_选用区.userChangedPage(1);
  w.选择夹_选用区.userChangedPage(0);
  EXPECT_EQ(w.选择列表框_选用API.currentSelection(), 0);
  EXPECT_EQ(w.选择列表框_选用API.itemText(0), "a");
}

TEST_F(StartupWindowTest, CatalogPagesShowOnlyTheirControls) {
  start();
  EXPECT_TRUE(ui.shownOnScreen(w.树型框_API目录));
  EXPECT_FALSE(ui.shownOnScreen(w.列表框_索引));
  w.选择夹_目录区.userChangedPage(2);
  EXPECT_FALSE(ui.shownOnScreen(w.树型框_API目录));
  EXPECT_FALSE(ui.shownOnScreen(w.单选框_中文树形框));
  EXPECT_TRUE(ui.shownOnScreen(w.列表框_索引));
  EXPECT_TRUE(ui.shownOnScreen(w.编辑框_索引));
  EXPECT_FALSE(ui.shownOnScreen(w.按钮_搜索));
  EXPECT_TRUE(ui.shownOnScreen(w.按钮_关闭程序));
}

TEST_F(StartupWindowTest, RadioButtonsFormGroupsByParent) {
  start();
  w.单选框_英文树形框.userClicked();
  EXPECT_FALSE(w.单选框_中文树形框.checked());
  EXPECT_TRUE(w.单选框_中文索引.checked());
  EXPECT_TRUE(w.单选框_代码形式.checked());
  w.单选框_文本形式.userClicked();
  EXPECT_FALSE(w.单选框_代码形式.checked());
  EXPECT_TRUE(w.单选框_英文树形框.checked());
}

TEST_F(StartupWindowTest, CloseButtonDestroysTheWindow) {
  start();
  w.按钮_关闭程序.userClicked();
  EXPECT_TRUE(w.启动窗口.closed());
  EXPECT_TRUE(ui.destroyed(w.启动窗口));
}

}  // namespace
