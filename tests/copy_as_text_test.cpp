// Copying the chosen API list as E text: what the clipboard receives from Ctrl+C and
// the context menu, what the status bar says, and a clipboard held by another program.
#include "ide_link/copy_as_text.h"

#include <gtest/gtest.h>

#include <vector>

#include "navigation/chosen_lists.h"
#include "tests/headless_wizard.h"
#include "tests/shared_library.h"

namespace {

using library::DeclarationKind;

class CopyAsTextTest : public ::testing::Test, protected HeadlessWizard {
 protected:
  platform::CheckListBox& chosen = w.选择列表框_选用API;

  void SetUp() override {
    start();
    messages.shown.clear();  // the missing examples database's, at start-up
  }

  int add(std::string_view english, std::string_view chinese) {
    std::int32_t entry = entryOf(english, chinese);
    navigation::addCatalogEntryToChosenApiList(w, catalog(), entry);
    for (int pos = 0; pos < chosen.count(); ++pos) {
      if (chosen.itemData(pos) == entry) return pos;
    }
    return -1;
  }

  using StatusText = std::pair<std::string, std::string>;
  StatusText statusBar() const { return {w.状态条.parts()[0].text, w.状态条.parts()[1].text}; }
};

TEST_F(CopyAsTextTest, CtrlCAndTheMenuCopyTheTickedItemsInListOrder) {
  EXPECT_EQ(chosen.contextMenu, std::vector<gbk::Text>{"复制为易语言代码(&C)\tCtrl+C"});
  chosen.setChecked(add("GetMenuItemInfoA", "取菜单条目信息_"), true);
  add("AbortDoc", "中止打印文档_");
  chosen.setChecked(add("AbortPath", "取消路径_"), true);
  chosen.setCurrentSelection(add("AbortDoc", "中止打印文档_"));  // selected, not ticked: not copied

  chosen.userPressedCopyKey();
  // The list sorts AbortPath before GetMenuItemInfoA.
  std::vector<library::DeclarationName> ticked = {{DeclarationKind::dllCommand, "取消路径_"},
                                                  {DeclarationKind::dllCommand, "取菜单条目信息_"}};
  library::DeclarationCopy expected =
      library::composeDeclarationCopy(sharedLibrary().texts, &sharedLibrary().constants, ticked);
  EXPECT_EQ(expected.dataTypes, 1);
  EXPECT_FALSE(expected.constantLines.empty());
  EXPECT_EQ(clipboard.text, expected.text);
  EXPECT_EQ(statusBar(), StatusText("已复制：", "2 个DLL命令、1 个数据类型、" + std::to_string(expected.constantLines.size()) +
                                                    " 个常量，可粘贴到易语言程序中"));

  clipboard.text.clear();
  chosen.userChoseFromContextMenu(0);
  EXPECT_EQ(clipboard.text, expected.text);
  chosen.userChoseFromContextMenu(1);  // no such item
  EXPECT_EQ(clipboard.writes, 2);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CopyAsTextTest, WithNothingTickedTheSelectedItemIsCopied) {
  navigation::addToChosenApiList(chosen, catalog(), {DeclarationKind::dataType, 1, "矩形_"});
  add("AbortPath", "取消路径_");
  chosen.setCurrentSelection(1);  // after "AbortPath / …" in the sorted list
  chosen.userPressedCopyKey();
  library::DeclarationCopy expected =
      library::composeDeclarationCopy(sharedLibrary().texts, &sharedLibrary().constants,
                                      std::vector<library::DeclarationName>{{DeclarationKind::dataType, "矩形_"}});
  EXPECT_EQ(clipboard.text, expected.text);
  EXPECT_EQ(statusBar().second, "1 个数据类型，可粘贴到易语言程序中");
}

TEST_F(CopyAsTextTest, WithNothingTickedOrSelectedNothingIsCopiedAndTheStatusBarSaysSo) {
  clipboard.text = "what another program put there";
  chosen.userPressedCopyKey();
  add("AbortPath", "取消路径_");
  chosen.setCurrentSelection(-1);
  chosen.userChoseFromContextMenu(0);
  EXPECT_EQ(clipboard.writes, 0);
  EXPECT_EQ(clipboard.text, "what another program put there");
  EXPECT_EQ(statusBar(), StatusText("复制：", "没有打勾或选中的声明，没有复制"));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CopyAsTextTest, AClipboardHeldByAnotherProgramIsReportedAndNothingIsLost) {
  chosen.setChecked(add("GetMenuItemInfoA", "取菜单条目信息_"), true);
  clipboard.text = "what another program put there";
  clipboard.heldByAnotherProgram = true;
  chosen.userPressedCopyKey();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "剪贴板正被其他程序占用，没有复制。请稍后再试。");
  EXPECT_EQ(messages.shown[0].icon, platform::MessageIcon::warning);
  EXPECT_EQ(clipboard.text, "what another program put there");
  EXPECT_NE(statusBar().first, "已复制：");
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_TRUE(chosen.checked(0));

  clipboard.heldByAnotherProgram = false;
  chosen.userPressedCopyKey();
  EXPECT_TRUE(clipboard.text.starts_with(".版本 2\r\n\r\n.DLL命令 取菜单条目信息_, "));
}

}  // namespace
