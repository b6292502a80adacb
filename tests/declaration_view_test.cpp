#include <gtest/gtest.h>

#include "app/wizard_app.h"
#include "library/declaration_lookup.h"
#include "platform/headless/headless_ui.h"
#include "tests/headless_wizard.h"
#include "tests/shared_library.h"
#include "view/constants_table.h"
#include "view/declaration_view.h"
#include "view/grid_renderer.h"

namespace {

using platform::Rect;

class DeclarationViewTest : public ::testing::Test, protected HeadlessWizard {
 protected:
  void SetUp() override { start(); }

  gbk::Text declarationTextOf(std::string_view dataType) {
    std::optional<library::FoundDataType> found = library::lookUpDataType(sharedLibrary().texts, dataType);
    EXPECT_TRUE(found);
    return found ? found->declarationText : "";
  }
  // 创建扩展画笔_ has five parameters; the third, row 9, is of the data type 逻辑刷子_.
  void showPenCommand() { view::showDeclaration(w, library, {library::DeclarationKind::dllCommand, "创建扩展画笔_"}); }
  static constexpr int kBrushRow = 9;
  static constexpr int kWidthRow = 8;  // 整数型

  bool oneEmptyWhiteCell(const platform::Grid& grid) {
    return grid.rowCount() == 1 && grid.columnCount() == 1 && grid.cellText(0, 0).empty() &&
           grid.cell(0, 0).backgroundColour == view::kBlankBackground;
  }
};

// Showing a declaration -------------------------------------------------------------

TEST_F(DeclarationViewTest, ADllCommandFillsTheTableAndTheTextWithItsDataTypes) {
  view::showDeclaration(w, library, {library::DeclarationKind::dllCommand, "比较文件时间_"});
  EXPECT_EQ(w.高级表格1.rowCount(), 9);
  EXPECT_EQ(w.高级表格1.cellText(1, 0), "比较文件时间_");
  library::LookupLists lists;
  std::optional<library::FoundDllCommand> found =
      library::lookUpDllCommand(sharedLibrary().texts, "比较文件时间_", lists);
  ASSERT_TRUE(found);
  EXPECT_EQ(w.编辑框_文本形式.text(), found->declarationText + "\r\n\r\n" + declarationTextOf("文件时间_"));
}

TEST_F(DeclarationViewTest, ADataTypeFillsTheTableAndItsTextAlone) {
  view::showDeclaration(w, library, {library::DeclarationKind::dllCommand, "比较文件时间_"});
  view::showDeclaration(w, library, {library::DeclarationKind::dataType, "文件时间_"});
  EXPECT_EQ(w.高级表格1.rowCount(), 3 + 2);  // no parameter rows left behind
  EXPECT_EQ(w.高级表格1.cellText(0, 0), "数据类型名");
  EXPECT_EQ(w.高级表格1.cellText(1, 2), "FILETIME,size = 8");
  EXPECT_EQ(w.编辑框_文本形式.text(), declarationTextOf("文件时间_"));
}

TEST_F(DeclarationViewTest, AnUnknownNameLeavesBothFormsAsTheyWere) {
  view::showDeclaration(w, library, {library::DeclarationKind::dllCommand, "取消路径_"});
  const int shows = ui.tableShows(w.高级表格1);
  const gbk::Text text = w.编辑框_文本形式.text();
  view::showDeclaration(w, library, {library::DeclarationKind::dllCommand, "没有这个命令_"});
  view::showDeclaration(w, library, {library::DeclarationKind::dataType, "没有这个类型_"});
  EXPECT_EQ(ui.tableShows(w.高级表格1), shows);
  EXPECT_EQ(w.编辑框_文本形式.text(), text);
  EXPECT_EQ(w.高级表格1.cellText(1, 0), "取消路径_");
}

TEST_F(DeclarationViewTest, ShowingNothingEmptiesBothForms) {
  showPenCommand();
  view::showNothing(w);
  EXPECT_TRUE(oneEmptyWhiteCell(w.高级表格1));
  EXPECT_EQ(w.编辑框_文本形式.text(), "");
}

TEST_F(DeclarationViewTest, TheCoverLiesOnTheGridWhileItIsRefilled) {
  const int uncovered = ui.uncoveredTableShows(w.高级表格1);
  {
    view::CoverWhileRefilling cover(w);
    EXPECT_TRUE(ui.shownOnScreen(w.画板1));
    showPenCommand();
  }
  EXPECT_FALSE(w.画板1.visible());
  EXPECT_GT(ui.tableShows(w.高级表格1), 0);
  EXPECT_EQ(ui.uncoveredTableShows(w.高级表格1), uncovered);
}

// The two forms ---------------------------------------------------------------------

TEST_F(DeclarationViewTest, SwitchingFormsOnlySwapsWhatIsVisible) {
  showPenCommand();
  const int shows = ui.tableShows(w.高级表格1);
  const gbk::Text text = w.编辑框_文本形式.text();

  w.单选框_文本形式.userClicked();
  EXPECT_FALSE(ui.shownOnScreen(w.高级表格1));
  EXPECT_TRUE(ui.shownOnScreen(w.编辑框_文本形式));
  w.单选框_代码形式.userClicked();
  EXPECT_TRUE(ui.shownOnScreen(w.高级表格1));
  EXPECT_FALSE(ui.shownOnScreen(w.编辑框_文本形式));

  EXPECT_EQ(ui.tableShows(w.高级表格1), shows);
  EXPECT_EQ(w.编辑框_文本形式.text(), text);
}

TEST_F(DeclarationViewTest, BothFormsAreFilledWhicheverIsVisible) {
  w.单选框_文本形式.userClicked();
  showPenCommand();
  EXPECT_EQ(w.高级表格1.cellText(1, 0), "创建扩展画笔_");
  EXPECT_NE(w.编辑框_文本形式.text().find("创建扩展画笔_"), std::string::npos);
}

// The constants form ----------------------------------------------------------------

TEST_F(DeclarationViewTest, TheConstantsFormListsWhatTheCommandAndItsTypesNameWithFamilies) {
  library::LookupLists lists;
  ASSERT_TRUE(library::lookUpDllCommand(sharedLibrary().texts, "取菜单条目信息_", lists));
  view::showDeclaration(w, library, {library::DeclarationKind::dllCommand, "取菜单条目信息_"});
  const auto named = sharedLibrary().constants.takenBy(w.编辑框_文本形式.text());
  ASSERT_GT(named.size(), 9u);  // the nine MIIM_ flags of 菜单条目结构_ at least

  const platform::Grid& table = w.高级表格_常量;
  ASSERT_EQ(table.rowCount(), static_cast<int>(named.size()) + 1);
  EXPECT_EQ(table.cellText(0, 0), "常量名称");
  bool listsMiimString = false;
  for (int row = 1; row < table.rowCount(); ++row) {
    EXPECT_EQ(table.cellText(row, 0), named[row - 1].constant->name);
    EXPECT_EQ(table.cellText(row, 1), named[row - 1].constant->value);
    listsMiimString |= table.cellText(row, 0) == "MIIM_STRING";
  }
  EXPECT_TRUE(listsMiimString);
  EXPECT_EQ(w.状态条.parts()[2].text, "常量：" + std::to_string(named.size()) + "个");
  // Beside the decimal value its hexadecimal form, and what takes the constant.
  view::showDeclaration(w, library, {library::DeclarationKind::dllCommand, "创建文件_"});
  EXPECT_EQ(table.cellText(0, 2), "十六进制");
  EXPECT_EQ(table.cellText(0, 3), "参数");
  bool listsGenericRead = false;
  for (int row = 1; row < table.rowCount(); ++row) {
    if (table.cellText(row, 0) != "GENERIC_READ") continue;
    listsGenericRead = true;
    EXPECT_EQ(table.cellText(row, 1), "-2147483648");
    EXPECT_EQ(table.cellText(row, 2), "0x80000000");
    EXPECT_EQ(table.cellText(row, 3), "访问权限");
  }
  EXPECT_TRUE(listsGenericRead);

  // A type that names no constant: the headings alone; nothing on view: one empty cell.
  view::showDeclaration(w, library, {library::DeclarationKind::dataType, "文件时间_"});
  EXPECT_EQ(w.高级表格_常量.rowCount(), 1);
  EXPECT_EQ(w.状态条.parts()[2].text, "常量：0个");
  view::showNothing(w);
  EXPECT_TRUE(oneEmptyWhiteCell(w.高级表格_常量));
  EXPECT_EQ(w.状态条.parts()[2].text, "");
}

TEST_F(DeclarationViewTest, TheConstantsFormTakesTheFormAreaAndTheOtherFormsComeBack) {
  showPenCommand();
  w.高级表格1.userMovedCursor(kBrushRow, 1);
  const int shows = ui.tableShows(w.高级表格_常量);
  w.单选框_常量形式.userClicked();
  EXPECT_TRUE(ui.shownOnScreen(w.高级表格_常量));
  EXPECT_FALSE(ui.shownOnScreen(w.高级表格1));
  EXPECT_FALSE(ui.shownOnScreen(w.高级表格2));
  EXPECT_FALSE(ui.shownOnScreen(w.编辑框_文本形式));
  EXPECT_EQ(w.高级表格_常量.rect(), w.编辑框_文本形式.rect());
  w.单选框_文本形式.userClicked();
  EXPECT_FALSE(ui.shownOnScreen(w.高级表格_常量));
  EXPECT_TRUE(ui.shownOnScreen(w.编辑框_文本形式));
  w.单选框_常量形式.userClicked();
  w.单选框_代码形式.userClicked();
  EXPECT_FALSE(ui.shownOnScreen(w.高级表格_常量));
  EXPECT_TRUE(ui.shownOnScreen(w.高级表格1));
  EXPECT_EQ(ui.tableShows(w.高级表格_常量), shows);  // switching draws nothing again
}

// The parameter type lookup ---------------------------------------------------------

TEST_F(DeclarationViewTest, ADataTypeParameterShowsItsTypeBesideTheCommand) {
  showPenCommand();
  const Rect area = w.编辑框_文本形式.rect();
  const int uncovered = ui.uncoveredTableShows(w.高级表格2);

  w.高级表格1.userMovedCursor(kBrushRow, 3);
  EXPECT_EQ(w.高级表格2.cellText(0, 0), "数据类型名");
  EXPECT_EQ(w.高级表格2.cellText(1, 0), "逻辑刷子_");
  EXPECT_GT(w.高级表格2.rowCount(), 3);
  EXPECT_EQ(ui.uncoveredTableShows(w.高级表格2), uncovered);
  EXPECT_FALSE(w.画板2.visible());

  // Side by side in the form area, the command's table keeping the left half.
  ASSERT_TRUE(ui.shownOnScreen(w.高级表格2));
  const Rect left = w.高级表格1.rect(), right = w.高级表格2.rect();
  EXPECT_EQ(left.left, area.left);
  EXPECT_EQ(right.left + right.width, area.left + area.width);
  EXPECT_EQ(right.left - (left.left + left.width), 8);
  EXPECT_LE(std::abs(left.width - right.width), 1);
  EXPECT_EQ(left.top, area.top);
  EXPECT_EQ(right.height, area.height);
  EXPECT_EQ(w.画板2.rect(), right);
  EXPECT_EQ(w.画板1.rect(), area);  // the cover of a refill still spans both grids
}

TEST_F(DeclarationViewTest, HeadingRowsAndBasicTypesLeaveOneEmptyWhiteCell) {
  showPenCommand();
  for (int row : {0, 3, 6, kWidthRow}) {
    w.高级表格1.userMovedCursor(kBrushRow, 0);
    ASSERT_TRUE(ui.shownOnScreen(w.高级表格2));
    w.高级表格1.userMovedCursor(row, 1);
    EXPECT_TRUE(oneEmptyWhiteCell(w.高级表格2)) << row;
    // Nothing worth a second table: the command's table has the area to itself again.
    EXPECT_FALSE(w.高级表格2.visible()) << row;
    EXPECT_EQ(w.高级表格1.rect(), w.编辑框_文本形式.rect()) << row;
  }
}

TEST_F(DeclarationViewTest, ADataTypeTableMovesNothingInTheSecondGrid) {
  showPenCommand();
  w.高级表格1.userMovedCursor(kBrushRow, 1);
  view::showDeclaration(w, library, {library::DeclarationKind::dataType, "逻辑字体_"});
  const int shows = ui.tableShows(w.高级表格2);
  for (int row : {3, 7, 9, 16}) w.高级表格1.userMovedCursor(row, 1);
  EXPECT_EQ(ui.tableShows(w.高级表格2), shows);
  EXPECT_EQ(w.高级表格2.cellText(1, 0), "逻辑刷子_");
}

TEST_F(DeclarationViewTest, TheSecondTableGoesWithTheNextShowTheTextFormOrALayoutPass) {
  auto splitAgain = [this] {
    showPenCommand();
    w.高级表格1.userMovedCursor(kBrushRow, 1);
    ASSERT_TRUE(w.高级表格2.visible());
  };
  splitAgain();
  view::showDeclaration(w, library, {library::DeclarationKind::dllCommand, "取消路径_"});
  EXPECT_FALSE(w.高级表格2.visible());
  EXPECT_EQ(w.高级表格1.rect(), w.编辑框_文本形式.rect());

  splitAgain();
  view::showDeclaration(w, library, {library::DeclarationKind::dataType, "文件时间_"});
  EXPECT_FALSE(w.高级表格2.visible());

  splitAgain();
  w.单选框_文本形式.userClicked();
  EXPECT_FALSE(ui.shownOnScreen(w.高级表格2));
  w.单选框_代码形式.userClicked();
  EXPECT_FALSE(ui.shownOnScreen(w.高级表格2));
  EXPECT_EQ(w.高级表格1.rect(), w.编辑框_文本形式.rect());

  splitAgain();
  w.启动窗口.userResized({900, 700});
  EXPECT_FALSE(w.高级表格2.visible());
  EXPECT_EQ(w.高级表格1.rect(), w.编辑框_文本形式.rect());
  // The next split divides the new area.
  w.高级表格1.userMovedCursor(kWidthRow, 1);
  w.高级表格1.userMovedCursor(kBrushRow, 1);
  EXPECT_EQ(w.高级表格2.rect().left + w.高级表格2.rect().width,
            w.编辑框_文本形式.rect().left + w.编辑框_文本形式.rect().width);
}

TEST_F(DeclarationViewTest, NoLookupWithoutACursorRowOrWithATopLevelTreeNode) {
  showPenCommand();
  const int shows = ui.tableShows(w.高级表格2);
  w.高级表格1.setCursorCell(kBrushRow, 1);
  view::高级表格1_cursorCellChanged(w, library.texts);  // as if raised with the cursor there...
  EXPECT_GT(ui.tableShows(w.高级表格2), shows);

  // ...but a category node current in the tree stops it.
  w.树型框_API目录.setCurrentItem(0);
  showPenCommand();
  const int before = ui.tableShows(w.高级表格2);
  w.高级表格1.userMovedCursor(kWidthRow, 1);
  w.高级表格1.userMovedCursor(kBrushRow, 1);
  EXPECT_EQ(ui.tableShows(w.高级表格2), before);

  // No cursor at all (the rows under it were dropped).
  w.树型框_API目录.setCurrentItem(1);
  showPenCommand();
  ASSERT_EQ(w.高级表格1.cursorRow(), -1);
  const int none = ui.tableShows(w.高级表格2);
  view::高级表格1_cursorCellChanged(w, library.texts);
  EXPECT_EQ(ui.tableShows(w.高级表格2), none);
}

TEST_F(DeclarationViewTest, AnUndeclaredParameterTypeShowsTheHeadingsOnly) {
  library::DllCommandRecord record;
  record.name = "自造命令_";
  record.parameters = {{"甲", "没有声明的类型_", false, false, ""}};
  view::GridRenderer(w.画板1).renderDllCommand(w.高级表格1, record);
  w.高级表格1.userMovedCursor(7, 1);
  EXPECT_EQ(w.高级表格2.rowCount(), 3);
  EXPECT_EQ(w.高级表格2.cellText(1, 0), "");
  EXPECT_EQ(w.高级表格2.cellText(2, 0), "成员名");
}

}  // namespace
