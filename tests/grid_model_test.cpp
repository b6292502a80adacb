#include <gtest/gtest.h>

#include "platform/grid.h"

namespace {

using platform::Alignment;
using platform::CellRange;
using platform::CursorStep;
using platform::Grid;

// A grid of `rows` x `columns` whose cells hold "r,c".
void fill(Grid& grid, int rows, int columns) {
  grid.setRowCount(rows);
  grid.setColumnCount(columns);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) grid.setCellText(r, c, std::to_string(r) + "," + std::to_string(c));
  }
}

TEST(GridCounts, SizingKeepsCellsInsideAndResetsEverySize) {
  Grid grid("grid");
  EXPECT_EQ(grid.rowCount(), 0);
  EXPECT_EQ(grid.columnCount(), 0);
  fill(grid, 3, 3);
  grid.setRowHeight(0, 40);
  grid.setColumnWidth(1, 90);

  grid.setRowCount(2);
  EXPECT_EQ(grid.rowCount(), 2);
  EXPECT_EQ(grid.cellText(1, 2), "1,2");
  EXPECT_EQ(grid.cellText(2, 0), "");  // dropped
  EXPECT_EQ(grid.rowHeight(0), Grid::kDefaultRowHeight);
  EXPECT_EQ(grid.columnWidth(1), 90);  // a row count leaves the columns alone

  grid.setColumnCount(4);
  EXPECT_EQ(grid.cellText(1, 1), "1,1");
  EXPECT_EQ(grid.cellText(1, 3), "");
  EXPECT_EQ(grid.columnWidth(1), Grid::kDefaultColumnWidth);
  EXPECT_EQ(grid.columnWidth(3), Grid::kDefaultColumnWidth);

  grid.setRowCount(0);
  grid.setColumnCount(-5);
  EXPECT_EQ(grid.rowCount(), 2);
  EXPECT_EQ(grid.columnCount(), 4);

  grid.setRowCount(Grid::kMaxRows + 10);
  grid.setColumnCount(Grid::kMaxColumns + 10);
  EXPECT_EQ(grid.rowCount(), Grid::kMaxRows);
  EXPECT_EQ(grid.columnCount(), Grid::kMaxColumns);
}

TEST(GridCounts, AppendedRowIsEmptyAndAsHighAsRowZero) {
  Grid grid("grid");
  ASSERT_TRUE(grid.appendRow("heading"));
  EXPECT_EQ(grid.rowHeight(0), Grid::kDefaultRowHeight);
  fill(grid, 1, 2);
  grid.setRowHeight(0, 31);
  ASSERT_TRUE(grid.appendRow());
  EXPECT_EQ(grid.rowCount(), 2);
  EXPECT_EQ(grid.rowHeight(1), 31);
  EXPECT_EQ(grid.cellText(1, 0), "");
  EXPECT_EQ(grid.cellText(0, 1), "0,1");
}

TEST(GridCounts, AppendReportsAFullTable) {
  Grid grid("grid");
  grid.setColumnCount(1);
  grid.setRowCount(Grid::kMaxRows);
  EXPECT_FALSE(grid.appendRow());
  EXPECT_EQ(grid.rowCount(), Grid::kMaxRows);
}

TEST(GridCounts, DeletingARowClosesUpCellsMergesAndCursor) {
  Grid grid("grid");
  fill(grid, 5, 3);
  grid.merge({1, 0, 2, 1});  // two rows through the deleted one
  grid.merge(CellRange::rowSpan(4, 0, 2));
  grid.setCursorCell(3, 2);

  grid.deleteRow(2);
  EXPECT_EQ(grid.rowCount(), 4);
  EXPECT_EQ(grid.cellText(2, 0), "3,0");
  EXPECT_EQ(grid.merges(), (std::vector<CellRange>{CellRange::rowSpan(1, 0, 1), CellRange::rowSpan(3, 0, 2)}));
  EXPECT_EQ(grid.cursorRow(), 2);
  EXPECT_EQ(grid.cursorColumn(), 2);

  grid.deleteRow(2);  // the cursor's own row
  EXPECT_EQ(grid.cursorRow(), -1);
  grid.deleteRow(9);
  grid.deleteRow(-1);
  EXPECT_EQ(grid.rowCount(), 3);
}

TEST(GridCells, OutsideTheTableNothingHappensAndNothingIsRead) {
  Grid grid("grid");
  fill(grid, 2, 2);
  grid.setCellText(2, 0, "x");
  grid.setCellText(0, -1, "x");
  grid.setRowHeight(5, 10);
  grid.setColumnWidth(-1, 10);
  EXPECT_EQ(grid.cellText(2, 0), "");
  EXPECT_EQ(grid.cellText(-1, -1), "");
  EXPECT_EQ(grid.rowHeight(5), 0);
  EXPECT_EQ(grid.columnWidth(-1), 0);
  grid.merge({5, 5, 9, 9});
  grid.setTextColour({3, 0, 4, 1}, 0xFF);
  EXPECT_TRUE(grid.merges().empty());
  EXPECT_FALSE(grid.cell(1, 1).textColour);
}

TEST(GridCells, ColoursAndAlignmentGoToEveryCellOfTheClippedRange) {
  Grid grid("grid");
  fill(grid, 3, 3);
  grid.setBackgroundColour({2, 2, 1, 1}, 0xE4EDE6);  // corners given the wrong way round
  grid.setTextColour({1, 2, 7, 7}, 0x008000);        // runs past the table
  grid.setAlignment(CellRange::cell(0, 0), Alignment::right);

  EXPECT_EQ(grid.cell(1, 1).backgroundColour, 0xE4EDE6u);
  EXPECT_EQ(grid.cell(2, 2).backgroundColour, 0xE4EDE6u);
  EXPECT_FALSE(grid.cell(0, 0).backgroundColour);
  EXPECT_EQ(grid.cell(2, 2).textColour, 0x008000u);
  EXPECT_FALSE(grid.cell(1, 1).textColour);
  EXPECT_EQ(grid.cell(0, 0).alignment, Alignment::right);
  EXPECT_EQ(grid.cell(0, 1).alignment, Alignment::left);
  EXPECT_EQ(grid.cellText(1, 1), "1,1");  // colours keep the text
}

TEST(GridMerges, ABlockCoversItsCellsUntilUndone) {
  Grid grid("grid");
  fill(grid, 3, 5);
  grid.merge(CellRange::rowSpan(0, 3, 4));
  EXPECT_EQ(grid.blockAt(0, 4), CellRange::rowSpan(0, 3, 4));
  EXPECT_EQ(grid.blockAt(0, 2), CellRange::cell(0, 2));

  // A new block replaces the blocks it overlaps.
  grid.merge(CellRange::rowSpan(0, 1, 3));
  EXPECT_EQ(grid.merges(), (std::vector<CellRange>{CellRange::rowSpan(0, 1, 3)}));

  grid.undoMerge(0, 2);  // any covered cell names the block
  EXPECT_TRUE(grid.merges().empty());
  EXPECT_EQ(grid.cellText(0, 3), "0,3");
}

TEST(GridMerges, SizingCutsBlocksAndDropsThoseLeftAsOneCell) {
  Grid grid("grid");
  fill(grid, 3, 5);
  grid.merge(CellRange::rowSpan(0, 0, 4));
  grid.merge(CellRange::rowSpan(1, 3, 4));
  grid.merge(CellRange::rowSpan(2, 0, 1));
  grid.setColumnCount(4);
  EXPECT_EQ(grid.merges(), (std::vector<CellRange>{CellRange::rowSpan(0, 0, 3), CellRange::rowSpan(2, 0, 1)}));
  grid.setRowCount(1);
  EXPECT_EQ(grid.merges(), (std::vector<CellRange>{CellRange::rowSpan(0, 0, 3)}));
}

TEST(GridSelection, SelectionIsClippedAndDroppedWithItsRows) {
  Grid grid("grid");
  fill(grid, 4, 3);
  grid.selectRange(CellRange::rowSpan(0, 0, 4));
  EXPECT_EQ(grid.selection(), CellRange::rowSpan(0, 0, 2));
  grid.selectRange(CellRange::cell(3, 1));
  grid.setRowCount(2);
  EXPECT_FALSE(grid.selection());
}

class GridCursor : public ::testing::Test {
 protected:
  void SetUp() override {
    fill(grid, 4, 5);
    grid.merge(CellRange::rowSpan(1, 3, 4));
    grid.merge(CellRange::rowSpan(2, 0, 4));
    grid.onCurrentCellChanged = [this] { ++changes; };
  }
  Grid grid{"grid"};
  int changes = 0;
};

TEST_F(GridCursor, UserMovesRaiseTheEventOnlyForAnotherCell) {
  EXPECT_EQ(grid.cursorRow(), -1);
  grid.userMovedCursor(3, 1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(grid.cursorRow(), 3);
  EXPECT_EQ(grid.selection(), CellRange::cell(3, 1));
  grid.userMovedCursor(3, 1);
  EXPECT_EQ(changes, 1);
  grid.userMovedCursor(9, 1);  // outside: nothing
  EXPECT_EQ(changes, 1);
  grid.setCursorCell(0, 0);  // the program moves it: no event
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(grid.cursorRow(), 0);
}

TEST_F(GridCursor, ACellOfABlockStandsForTheBlock) {
  grid.userMovedCursor(2, 3);
  EXPECT_EQ(grid.cursorRow(), 2);
  EXPECT_EQ(grid.cursorColumn(), 0);
  EXPECT_EQ(grid.selection(), CellRange::rowSpan(2, 0, 4));
  grid.userMovedCursor(2, 1);  // the same block
  EXPECT_EQ(changes, 1);
}

TEST_F(GridCursor, DroppingTheCursorsRowLeavesNoCursor) {
  grid.userMovedCursor(3, 0);
  grid.setRowCount(3);
  EXPECT_EQ(grid.cursorRow(), -1);
  EXPECT_EQ(grid.cursorColumn(), -1);
  grid.userMovedCursor(0, 0);
  EXPECT_EQ(changes, 2);  // back at a cell: that is a move again
}

TEST_F(GridCursor, StepsPassOverBlocksAndStopAtTheEdges) {
  auto stepFrom = [this](int row, int column, CursorStep step) {
    grid.setCursorCell(row, column);
    auto block = grid.cellToward(step);
    return block ? std::pair{block->firstRow, block->firstColumn} : std::pair{-9, -9};
  };
  EXPECT_EQ(grid.cellToward(CursorStep::down)->firstRow, 0);      // no cursor yet: the first cell
  EXPECT_EQ(stepFrom(1, 3, CursorStep::right), std::pair(1, 3));  // the block reaches the last column
  EXPECT_EQ(stepFrom(1, 2, CursorStep::right), std::pair(1, 3));
  EXPECT_EQ(stepFrom(1, 3, CursorStep::left), std::pair(1, 2));
  EXPECT_EQ(stepFrom(1, 4, CursorStep::down), std::pair(2, 0));  // the cursor stood on (1, 3)
  EXPECT_EQ(stepFrom(2, 0, CursorStep::down), std::pair(3, 0));
  EXPECT_EQ(stepFrom(0, 0, CursorStep::up), std::pair(0, 0));
  EXPECT_EQ(stepFrom(3, 4, CursorStep::down), std::pair(3, 4));
  EXPECT_EQ(stepFrom(3, 2, CursorStep::rowStart), std::pair(3, 0));
  EXPECT_EQ(stepFrom(3, 2, CursorStep::rowEnd), std::pair(3, 4));
  EXPECT_EQ(stepFrom(3, 2, CursorStep::tableStart), std::pair(0, 0));
  EXPECT_EQ(stepFrom(0, 2, CursorStep::tableEnd), std::pair(3, 4));
  EXPECT_EQ(changes, 0);  // looking ahead moves nothing

  Grid empty("empty");
  EXPECT_FALSE(empty.cellToward(CursorStep::down));
}

}  // namespace
