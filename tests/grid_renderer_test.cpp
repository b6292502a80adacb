#include <gtest/gtest.h>

#include "platform/headless/headless_ui.h"
#include "tests/shared_library.h"
#include "view/grid_renderer.h"

namespace {

using platform::CellRange;
using platform::Grid;
using view::GridRenderer;

// The headless board measures 7 pixels a single-byte character, 14 a double-byte one,
// 17 pixels high; so "数组" and "公开" are 28 wide and their columns end up 56 wide.
constexpr int kFlagColumnWidth = 56;

class GridRendererTest : public ::testing::Test {
 protected:
  GridRendererTest() {
    ui.realize(board, {platform::ControlKind::drawingBoard, "画板1", "", -1, {}, ""}, 0);
    ui.realize(grid, {platform::ControlKind::grid, "高级表格1", "", -1, {}, ""}, 1);
  }

  library::DllCommandRecord command(std::string_view name) {
    library::LookupLists lists;
    std::optional<library::FoundDllCommand> found = library::lookUpDllCommand(sharedLibrary().texts, name, lists);
    EXPECT_TRUE(found) << name;
    return found ? found->record : library::DllCommandRecord{};
  }
  library::DataTypeRecord dataType(std::string_view name) {
    std::optional<library::FoundDataType> found = library::lookUpDataType(sharedLibrary().texts, name);
    EXPECT_TRUE(found) << name;
    return found ? found->record : library::DataTypeRecord{};
  }
  std::vector<gbk::Text> row(int r) const {
    std::vector<gbk::Text> texts;
    for (int c = 0; c < grid.columnCount(); ++c) texts.push_back(grid.cellText(r, c));
    return texts;
  }
  int width(std::string_view text) const { return board.measureText(text).width; }

  platform::headless::HeadlessUi ui;
  platform::DrawingBoard board{"画板1"};
  Grid grid{"高级表格1"};
  GridRenderer renderer{board};
};

using Texts = std::vector<gbk::Text>;

TEST_F(GridRendererTest, LongNamesAndTypesLeaveTheCommentsInView) {
  grid.setRect({0, 0, 400, 160});
  renderer.renderDllCommand(grid, command("GetIpNetworkConnectionBandwidthEstimates_"));
  ASSERT_EQ(grid.cellText(grid.rowCount() - 1, 1), "MIB_IP_NETWORK_CONNECTION_BANDWIDTH_ESTIMATES_");
  // The name and type columns take at most 28 percent each: the comments start in view.
  EXPECT_EQ(grid.columnWidth(0), 400 * 28 / 100);
  EXPECT_EQ(grid.columnWidth(1), 400 * 28 / 100);
  EXPECT_LT(grid.columnWidth(0) + grid.columnWidth(1) + 2 * kFlagColumnWidth, 400 - 60);
  // A narrow grid still shows its headings whole.
  grid.setRect({0, 0, 100, 160});
  renderer.renderDataType(grid, dataType("MIB_IP_NETWORK_CONNECTION_BANDWIDTH_ESTIMATES_"));
  EXPECT_EQ(grid.columnWidth(0), width("数据类型名"));
  // Short names keep the widths they were fitted to.
  grid.setRect({0, 0, 600, 160});
  renderer.renderDllCommand(grid, command("取消路径_"));
  EXPECT_EQ(grid.columnWidth(0), width("在Dll库中对应命令名："));
}

TEST_F(GridRendererTest, DllCommandTableOfAbortPath) {
  renderer.renderDllCommand(grid, command("取消路径_"));
  ASSERT_EQ(grid.rowCount(), 8);
  ASSERT_EQ(grid.columnCount(), 5);
  EXPECT_EQ(row(0), (Texts{"DLL命令名", "返回值类型", "公开", "备注", ""}));
  EXPECT_EQ(row(1), (Texts{"取消路径_", "整数型", "", "非零表示成功，零表示失败", ""}));
  EXPECT_EQ(grid.cellText(2, 0), "Dll库文件名：");
  EXPECT_EQ(grid.cellText(3, 0), "gdi32.dll");
  EXPECT_EQ(grid.cellText(4, 0), "在Dll库中对应命令名：");
  EXPECT_EQ(grid.cellText(5, 0), "AbortPath");
  EXPECT_EQ(row(6), (Texts{"参数名", "类型", "传址", "数组", "备注"}));
  EXPECT_EQ(row(7), (Texts{"设备场景句柄", "整数型", "", "", "hdc,设备场景的句柄"}));

  EXPECT_EQ(grid.merges(), (std::vector<CellRange>{CellRange::rowSpan(0, 3, 4), CellRange::rowSpan(1, 3, 4),
                                                   CellRange::rowSpan(2, 0, 4), CellRange::rowSpan(3, 0, 4),
                                                   CellRange::rowSpan(4, 0, 4), CellRange::rowSpan(5, 0, 4)}));
  for (int c = 0; c < 5; ++c) EXPECT_EQ(grid.cell(6, c).backgroundColour, view::kHeadingBackground) << c;
  for (int c = 0; c < 4; ++c) EXPECT_EQ(grid.cell(0, c).backgroundColour, view::kHeadingBackground) << c;
  for (int r : {2, 4}) EXPECT_EQ(grid.cell(r, 0).backgroundColour, view::kHeadingBackground) << r;
  EXPECT_FALSE(grid.cell(0, 0).textColour);  // headings keep the grid's text colour
  EXPECT_EQ(grid.cell(1, 0).textColour, view::kNameText);
  EXPECT_EQ(grid.cell(1, 1).textColour, view::kTypeText);
  EXPECT_EQ(grid.cell(1, 3).textColour, view::kCommentText);
  EXPECT_EQ(grid.cell(3, 0).textColour, view::kFlagText);
  EXPECT_EQ(grid.cell(5, 0).textColour, view::kFlagText);
  EXPECT_FALSE(grid.cell(7, 0).textColour);
  EXPECT_FALSE(grid.cell(7, 0).backgroundColour);
  EXPECT_EQ(grid.cell(7, 1).textColour, view::kTypeText);
  EXPECT_EQ(grid.cell(7, 2).textColour, view::kFlagText);
  EXPECT_EQ(grid.cell(7, 4).textColour, view::kCommentText);
  EXPECT_EQ(grid.selection(), CellRange::rowSpan(0, 0, 4));
}

TEST_F(GridRendererTest, DllCommandColumnsFitTheirTextsThenTheFlagColumnsAreFinished) {
  renderer.renderDllCommand(grid, command("取消路径_"));
  // Column 0 holds the widest of its texts, the merged heading of row 4 among them.
  EXPECT_EQ(grid.columnWidth(0), width("在Dll库中对应命令名："));
  EXPECT_EQ(grid.columnWidth(1), width("返回值类型"));
  EXPECT_EQ(grid.columnWidth(2), kFlagColumnWidth);
  EXPECT_EQ(grid.columnWidth(3), kFlagColumnWidth);
  // Column 3 had grown to the comment; column 4 takes what the comment needs beyond it.
  EXPECT_EQ(grid.columnWidth(4), width("非零表示成功，零表示失败") - kFlagColumnWidth);
  for (int r = 0; r < grid.rowCount(); ++r) EXPECT_EQ(grid.rowHeight(r), Grid::kDefaultRowHeight) << r;
}

TEST_F(GridRendererTest, AShortCommentLeavesTheLastColumnAsWideAsTheCommentColumnWas) {
  library::DllCommandRecord record;
  record.name = "取实例句柄_";
  renderer.renderDllCommand(grid, record);
  EXPECT_EQ(grid.rowCount(), 7);  // no parameters: the table ends with their heading row
  EXPECT_EQ(row(6), (Texts{"参数名", "类型", "传址", "数组", "备注"}));
  // Column 3 was at its default width: 60 - 56 is less than 56.
  EXPECT_EQ(grid.columnWidth(4), Grid::kDefaultColumnWidth);
}

TEST_F(GridRendererTest, BothFlagsShowTwoCheckMarks) {
  library::DllCommandRecord record = command("创建扩展画笔_");
  renderer.renderDllCommand(grid, record);
  ASSERT_EQ(grid.rowCount(), 7 + 5);
  EXPECT_EQ(row(9), (Texts{"刷子信息", "逻辑刷子_", "√", "", "plbrush,描述画笔颜色与图案的逻辑刷子结构"}));
  EXPECT_EQ(row(11)[2], "√");
  EXPECT_EQ(row(11)[3], "√");
  EXPECT_EQ(grid.cell(11, 3).textColour, view::kFlagText);
}

TEST_F(GridRendererTest, DataTypeTableShowsDimensionsAsCounts) {
  renderer.renderDataType(grid, dataType("逻辑字体_"));
  ASSERT_EQ(grid.rowCount(), 3 + 14);
  EXPECT_EQ(row(0), (Texts{"数据类型名", "公开", "备注", "", ""}));
  EXPECT_EQ(row(1), (Texts{"逻辑字体_", "", "LOGFONTA", "", ""}));
  EXPECT_EQ(row(2), (Texts{"成员名", "类型", "传址", "数组", "备注"}));
  EXPECT_EQ(row(16), (Texts{"字体名称", "字节型", "", "32", "lfFaceName,字样名称，以零字符结尾，不超过31个字节"}));
  EXPECT_EQ(grid.cellText(3, 3), "");  // no array
  EXPECT_EQ(grid.cell(16, 3).textColour, view::kFlagText);
  EXPECT_EQ(grid.cell(1, 0).textColour, view::kNameText);
  EXPECT_EQ(grid.cell(1, 2).textColour, view::kCommentText);
  EXPECT_FALSE(grid.cell(1, 1).backgroundColour);  // "公开" stays empty and plain
  EXPECT_EQ(grid.cell(0, 1).backgroundColour, view::kHeadingBackground);
  EXPECT_EQ(grid.merges(), (std::vector<CellRange>{CellRange::rowSpan(0, 2, 4), CellRange::rowSpan(1, 2, 4)}));
  EXPECT_EQ(grid.selection(), CellRange::rowSpan(0, 0, 4));
}

TEST_F(GridRendererTest, DataTypeWithoutMembersHasItsThreeHeadingRows) {
  library::DataTypeRecord record;
  record.name = "空结构_";
  record.comment = "一段比默认列宽宽得多的备注文字用来撑开列";
  renderer.renderDataType(grid, record);
  EXPECT_EQ(grid.rowCount(), 3);
  EXPECT_EQ(grid.cellText(1, 2), record.comment);
  // Column 2 had grown to the comment and is now twice "传址"; column 4 takes the rest.
  EXPECT_EQ(grid.columnWidth(2), kFlagColumnWidth);
  EXPECT_EQ(grid.columnWidth(3), kFlagColumnWidth);
  EXPECT_EQ(grid.columnWidth(4), width(record.comment) - kFlagColumnWidth);
}

TEST_F(GridRendererTest, ADataTypeAfterACommandLeavesNothingOfTheCommand) {
  renderer.renderDllCommand(grid, command("创建扩展画笔_"));
  grid.setAlignment(CellRange::rowSpan(0, 0, 4), platform::Alignment::right);
  library::DataTypeRecord record;
  record.name = "空结构_";
  renderer.renderDataType(grid, record);
  EXPECT_EQ(grid.rowCount(), 3);
  EXPECT_EQ(grid.cellText(2, 1), "类型");
  EXPECT_EQ(grid.merges(), (std::vector<CellRange>{CellRange::rowSpan(0, 2, 4), CellRange::rowSpan(1, 2, 4)}));
  EXPECT_EQ(grid.cell(0, 4).alignment, platform::Alignment::left);
  EXPECT_EQ(grid.columnWidth(0), width("数据类型名"));  // widths start again from the default
}

TEST_F(GridRendererTest, PutTextFitsOnlyTheWrittenCellsColumn) {
  renderer.resetGrid(grid, 4);
  const std::string wide = "一段很宽的文字";
  renderer.putText(grid, 0, 1, wide, {.mergeFrom = 1, .mergeTo = 3, .textColour = 0x0000FF, .background = 0xEEEEEE});
  EXPECT_EQ(grid.columnWidth(1), width(wide));
  EXPECT_EQ(grid.columnWidth(2), Grid::kDefaultColumnWidth);
  EXPECT_EQ(grid.merges(), (std::vector<CellRange>{CellRange::rowSpan(0, 1, 3)}));
  EXPECT_EQ(grid.cell(0, 1).textColour, 0x0000FFu);
  EXPECT_EQ(grid.cell(0, 1).backgroundColour, 0xEEEEEEu);
  EXPECT_FALSE(grid.cell(0, 2).backgroundColour);

  // Row -1 is the last row; a merge without an end column merges nothing.
  grid.appendRow();
  renderer.putText(grid, -1, 0, "x",
                   {.mergeFrom = 0, .mergeTo = std::nullopt, .textColour = std::nullopt, .background = std::nullopt});
  EXPECT_EQ(grid.cellText(1, 0), "x");
  EXPECT_EQ(grid.merges().size(), 1u);
}

TEST_F(GridRendererTest, FitCellOnlyGrows) {
  renderer.resetGrid(grid, 2);
  grid.setRowHeight(0, 10);
  renderer.fitCell(grid, "ab", 0, 0);
  EXPECT_EQ(grid.rowHeight(0), 17);
  EXPECT_EQ(grid.columnWidth(0), Grid::kDefaultColumnWidth);
  renderer.fitCell(grid, std::string(20, 'a'), 0, 0);
  EXPECT_EQ(grid.columnWidth(0), 140);
}

TEST_F(GridRendererTest, TotalsCountTwoPixelsOfBorderPerRowAndColumn) {
  renderer.resetGrid(grid, 3);
  grid.appendRow();
  grid.setColumnWidth(2, 100);
  EXPECT_EQ(renderer.totalHeight(grid), 2 * (24 + 2));
  EXPECT_EQ(renderer.totalWidth(grid), 62 + 62 + 102);
}

TEST(BlankGrid, LeavesOneEmptyWhiteCell) {
  Grid grid("高级表格2");
  grid.setRowCount(4);
  grid.setColumnCount(5);
  grid.setCellText(0, 0, "数据类型名");
  grid.setBackgroundColour(CellRange::cell(0, 0), view::kHeadingBackground);
  grid.merge(CellRange::rowSpan(0, 0, 2));
  view::blankGrid(grid);
  EXPECT_EQ(grid.rowCount(), 1);
  EXPECT_EQ(grid.columnCount(), 1);
  EXPECT_EQ(grid.cellText(0, 0), "");
  EXPECT_EQ(grid.cell(0, 0).backgroundColour, 0xFFFFFFu);
  EXPECT_TRUE(grid.merges().empty());
}

}  // namespace
