// The grid: it paints the model's merged blocks as one cell in their colours; a click
// or a cursor key moves the model's cursor cell, a merged block standing for all its
// cells, and raises the event once when the cell changes.
#include <functional>

#include "peer_test.h"
#include "platform/win32/display_scale.h"
#include "platform/win32/grid.h"

namespace platform::win32::testing {
namespace {

constexpr COLORREF kHeading = RGB(200, 220, 255);
constexpr COLORREF kMarked = RGB(255, 240, 200);

class GridTest : public PeerTest {
 protected:
  // A heading merged over the four columns, then two rows of names; the first two
  // cells of row 1 are marked in a colour of their own.
  GridTest() {
    native = make<NativeGrid>(grid, {10, 10, 500, 300}).hwnd();
    grid.setRowCount(3);
    grid.setColumnCount(4);
    grid.setCellText(0, 0, "声明");
    grid.merge({0, 0, 0, 3});
    grid.setBackgroundColour({0, 0, 0, 3}, kHeading);
    grid.setBackgroundColour({1, 0, 1, 1}, kMarked);
    for (int column = 0; column < 4; ++column) grid.setCellText(2, column, "参数");
    grid.onCurrentCellChanged = [this] {
      events.add("cell " + std::to_string(grid.cursorRow()) + "," + std::to_string(grid.cursorColumn()));
    };
    settle();
  }

  // Where the grid puts a cell: a column is its width with the padding on both sides,
  // a row its height, each with one pixel of grid line after it.
  RECT cellRect(int row, int column) const {
    RECT r{};
    for (int c = 0; c < column; ++c) r.left += grid.columnWidth(c) + 2 * displayScale().px(3) + 1;
    for (int w = 0; w < row; ++w) r.top += grid.rowHeight(w) + 1;
    r.right = r.left + grid.columnWidth(column) + 2 * displayScale().px(3);
    r.bottom = r.top + grid.rowHeight(row);
    return r;
  }

  Grid grid{"高级表格1", displayScale()};
  HWND native = nullptr;
};

TEST_F(GridTest, PaintsAMergedBlockAsOneCellInItsColour) {
  const ShownPicture shown(native);
  // Just below the top edge, where no text is drawn.
  for (int column = 1; column < 4; ++column) {
    const RECT cell = cellRect(0, column);
    EXPECT_EQ(shown.at({cell.left - 1, cell.top + 1}), kHeading) << "heading, line before column " << column;
  }
  const RECT marked = cellRect(1, 1);
  EXPECT_EQ(shown.at({marked.left + 1, marked.top + 1}), kMarked);
  EXPECT_NE(shown.at({marked.left - 1, marked.top + 1}), kMarked) << "the line between two cells of a colour";
  EXPECT_EQ(shown.at({cellRect(1, 2).left + 1, marked.top + 1}), GetSysColor(COLOR_WINDOW));
}

TEST_F(GridTest, ClicksAndCursorKeysMoveTheCursorCell) {
  struct Step {
    const char* what;
    std::function<void()> act;
    std::vector<std::string> events;
    int row, column;
  };
  auto clickCell = [&](int row, int column) { click(native, centre(cellRect(row, column))); };
  const Step steps[] = {
      {"click on a cell", [&] { clickCell(2, 2); }, {"cell 2,2"}, 2, 2},
      {"click inside the merged heading", [&] { clickCell(0, 3); }, {"cell 0,0"}, 0, 0},
      {"click elsewhere in the same block", [&] { clickCell(0, 1); }, {}, 0, 0},
      {"down from the heading", [&] { pressKey(native, VK_DOWN); }, {"cell 1,0"}, 1, 0},
      {"right", [&] { pressKey(native, VK_RIGHT); }, {"cell 1,1"}, 1, 1},
      {"end of the row", [&] { pressKey(native, VK_END); }, {"cell 1,3"}, 1, 3},
      {"up into the heading", [&] { pressKey(native, VK_UP); }, {"cell 0,0"}, 0, 0},
      {"below the table",
       [&] {
         click(native, {5, cellRect(2, 0).bottom + 20});
       },
       {},
       0,
       0},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(events.take(), step.events) << step.what;
    EXPECT_EQ(grid.cursorRow(), step.row) << step.what;
    EXPECT_EQ(grid.cursorColumn(), step.column) << step.what;
  }
  // The cursor's frame, in the selection colour while the grid has the focus.
  EXPECT_EQ(GetFocus(), native);
  const RECT heading = cellRect(0, 0);
  EXPECT_EQ(ShownPicture(native).at({heading.left, heading.top}), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(GridTest, TheCursorCellComesIntoViewAndANewTableShowsFromItsTop) {
  // The scroll bars come with a table that needs them.
  auto bars = [this] {
    settle();
    return GetWindowLongPtrW(native, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL);
  };
  EXPECT_EQ(bars(), 0);
  grid.setRowCount(40);
  EXPECT_EQ(bars(), WS_VSCROLL);
  click(native, centre(cellRect(1, 1)));
  RECT client{};
  GetClientRect(native, &client);
  for (int page = 1; page <= 3; ++page) {
    pressKey(native, VK_NEXT);
    const RECT cell = cellRect(grid.cursorRow(), grid.cursorColumn());
    const int scrolled = GetScrollPos(native, SB_VERT);
    EXPECT_GE(cell.top - scrolled, 0) << "page " << page;
    EXPECT_LE(cell.bottom - scrolled, client.bottom) << "page " << page;
  }
  EXPECT_GT(GetScrollPos(native, SB_VERT), 0);
  EXPECT_EQ(events.take().size(), 4u);

  // A rendering begins with one row.
  grid.setRowCount(1);
  grid.setRowCount(40);
  settle();
  EXPECT_EQ(GetScrollPos(native, SB_VERT), 0);
}

}  // namespace
}  // namespace platform::win32::testing
