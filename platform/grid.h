// The grid of the declaration view: a table of text cells with per-cell colours and
// alignment, merged blocks, a selected range and a cursor cell.
//
// Rows and columns are 0-based. There are no fixed rows or columns: a heading row is
// an ordinary row that only its colours mark. Every operation clips what it is given
// to the table, so a wrong row or column changes nothing instead of failing.
#pragma once

#include <optional>
#include <vector>

#include "platform/control.h"

namespace platform {

enum class Alignment { left, centred, right };

// A rectangle of cells, first and last rows and columns included.
struct CellRange {
  int firstRow = 0, firstColumn = 0, lastRow = 0, lastColumn = 0;

  static CellRange cell(int row, int column) { return {row, column, row, column}; }
  static CellRange rowSpan(int row, int firstColumn, int lastColumn) { return {row, firstColumn, row, lastColumn}; }
  bool contains(int row, int column) const {
    return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
  }
  bool intersects(const CellRange& other) const {
    return firstRow <= other.lastRow && other.firstRow <= lastRow && firstColumn <= other.lastColumn &&
           other.firstColumn <= lastColumn;
  }
  bool isSingleCell() const { return firstRow == lastRow && firstColumn == lastColumn; }
  bool operator==(const CellRange&) const = default;
};

struct GridCell {
  gbk::Text text;
  std::optional<Colour> textColour;        // none: the grid's default
  std::optional<Colour> backgroundColour;  // none: the grid's default
  Alignment alignment = Alignment::left;
};

// Where the cursor goes when the user presses a key that moves it.
enum class CursorStep { left, right, up, down, rowStart, rowEnd, tableStart, tableEnd };

class GridPeer : public virtual ControlPeer {
 public:
  // Cells, sizes, merges, selection or cursor changed: show the table again.
  virtual void showTable() = 0;
};

class Grid : public Control {
 public:
  // The default sizes, in the design's units.
  static constexpr int kDefaultRowHeight = 24;
  static constexpr int kDefaultColumnWidth = 60;
  // Bounds that no declaration comes near; they keep a wrong count from eating memory.
  static constexpr int kMaxRows = 32767;
  static constexpr int kMaxColumns = 256;

  explicit Grid(std::string name, Scale scale = {})
      : Control(std::move(name)),
        defaultRowHeight_(scale.px(kDefaultRowHeight)),
        defaultColumnWidth_(scale.px(kDefaultColumnWidth)) {}

  // A new row's height and a new column's width on the window's display.
  int defaultRowHeight() const { return defaultRowHeight_; }
  int defaultColumnWidth() const { return defaultColumnWidth_; }

  int rowCount() const { return static_cast<int>(rowHeights_.size()); }
  int columnCount() const { return static_cast<int>(columnWidths_.size()); }
  // A count of 1 or more sizes the table (what lies beyond it is dropped) and gives
  // every row the default height, or every column the default width; a count below 1
  // is ignored.
  void setRowCount(int count);
  void setColumnCount(int count);

  // Adds an empty row at the end, as high as row 0 (the default height in an empty
  // grid); false when the table has no room for another row. The heading text has
  // nowhere to show: the grid has no fixed column.
  bool appendRow(std::string_view headingText = {});
  void deleteRow(int row);

  bool hasCell(int row, int column) const {
    return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
  }
  // The cell itself; a cell outside the table reads as an empty default cell.
  const GridCell& cell(int row, int column) const;
  const gbk::Text& cellText(int row, int column) const { return cell(row, column).text; }
  // Makes the cell a plain text cell holding `text`.
  void setCellText(int row, int column, std::string_view text);

  int rowHeight(int row) const;
  int columnWidth(int column) const;
  void setRowHeight(int row, int height);
  void setColumnWidth(int column, int width);

  // Shows the range as one cell with the content of its first cell; merged blocks that
  // overlap the range are undone first.
  void merge(const CellRange& range);
  // Splits the merged block that covers the cell, if any.
  void undoMerge(int row, int column);
  const std::vector<CellRange>& merges() const { return merges_; }
  // The merged block that covers the cell, or the cell alone.
  CellRange blockAt(int row, int column) const;

  void setTextColour(const CellRange& range, Colour colour);
  void setBackgroundColour(const CellRange& range, Colour colour);
  void setAlignment(const CellRange& range, Alignment alignment);

  void selectRange(const CellRange& range);
  std::optional<CellRange> selection() const { return selection_; }

  // The current cell, -1 when there is none (an empty table, or its rows were dropped).
  int cursorRow() const { return cursorRow_; }
  int cursorColumn() const { return cursorColumn_; }
  // Moves the cursor without raising its event; a cell inside a merged block stands for the block.
  void setCursorCell(int row, int column);
  // The block where `step` takes the cursor, passing over merged blocks; the first
  // cell's block while there is no cursor. The cursor itself does not move.
  std::optional<CellRange> cellToward(CursorStep step) const;

  // Raised when the user moves the current cell.
  std::function<void()> onCurrentCellChanged;
  // The user clicked a cell or moved there with the keyboard: the cursor and the
  // selection go to it (to its merged block); the event is raised if the cell changed.
  void userMovedCursor(int row, int column);

 private:
  GridCell& cellRef(int row, int column) {
    return cells_[static_cast<std::size_t>(row) * columnWidths_.size() + static_cast<std::size_t>(column)];
  }
  // The range cut to the table, corners in order; none if nothing of it lies in the table.
  std::optional<CellRange> clip(CellRange range) const;
  template <typename Change>
  void changeCells(const CellRange& range, Change change);
  void resize(int rows, int columns);
  void show();

  int defaultRowHeight_;
  int defaultColumnWidth_;
  std::vector<int> rowHeights_;
  std::vector<int> columnWidths_;
  std::vector<GridCell> cells_;  // row by row
  std::vector<CellRange> merges_;
  std::optional<CellRange> selection_;
  int cursorRow_ = -1;
  int cursorColumn_ = -1;
};

}  // namespace platform
