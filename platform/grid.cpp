#include "platform/grid.h"

#include <algorithm>
#include <utility>

namespace platform {
namespace {

// A range cut to `rows` x `columns`; none when nothing of it is left.
std::optional<CellRange> cutTo(CellRange r, int rows, int columns) {
  r.firstRow = std::max(r.firstRow, 0);
  r.firstColumn = std::max(r.firstColumn, 0);
  r.lastRow = std::min(r.lastRow, rows - 1);
  r.lastColumn = std::min(r.lastColumn, columns - 1);
  if (r.firstRow > r.lastRow || r.firstColumn > r.lastColumn) return std::nullopt;
  return r;
}

}  // namespace

// Counts and rows ---------------------------------------------------------------------

void Grid::setRowCount(int count) {
  if (count < 1) return;
  resize(std::min(count, kMaxRows), columnCount());
  std::fill(rowHeights_.begin(), rowHeights_.end(), defaultRowHeight_);
  show();
}

void Grid::setColumnCount(int count) {
  if (count < 1) return;
  resize(rowCount(), std::min(count, kMaxColumns));
  std::fill(columnWidths_.begin(), columnWidths_.end(), defaultColumnWidth_);
  show();
}

void Grid::resize(int rows, int columns) {
  if (columns != columnCount()) {
    std::vector<GridCell> cells(static_cast<std::size_t>(rowCount()) * static_cast<std::size_t>(columns));
    const int kept = std::min(columns, columnCount());
    for (int r = 0; r < rowCount(); ++r) {
      for (int c = 0; c < kept; ++c) {
        cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c)] =
            std::move(cellRef(r, c));
      }
    }
    cells_ = std::move(cells);
    columnWidths_.resize(static_cast<std::size_t>(columns), defaultColumnWidth_);
  }
  rowHeights_.resize(static_cast<std::size_t>(rows), defaultRowHeight_);
  cells_.resize(static_cast<std::size_t>(rows) * columnWidths_.size());

  // Merged blocks, selection and cursor keep what is left of them in the table.
  std::vector<CellRange> merges;
  for (const CellRange& m : merges_) {
    if (auto kept = cutTo(m, rows, columns); kept && !kept->isSingleCell()) merges.push_back(*kept);
  }
  merges_ = std::move(merges);
  if (selection_) selection_ = cutTo(*selection_, rows, columns);
  if (!hasCell(cursorRow_, cursorColumn_)) cursorRow_ = cursorColumn_ = -1;
}

bool Grid::appendRow(std::string_view) {
  if (rowCount() >= kMaxRows) return false;
  rowHeights_.push_back(rowHeights_.empty() ? defaultRowHeight_ : rowHeights_.front());
  cells_.resize(cells_.size() + columnWidths_.size());
  show();
  return true;
}

void Grid::deleteRow(int row) {
  if (row < 0 || row >= rowCount()) return;
  rowHeights_.erase(rowHeights_.begin() + row);
  const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(row) * columnWidths_.size());
  cells_.erase(first, first + static_cast<std::ptrdiff_t>(columnWidths_.size()));

  // Ranges below move up by one; a range through the row loses it.
  auto closeUp = [row](CellRange r) -> std::optional<CellRange> {
    if (r.firstRow > row) --r.firstRow;
    if (r.lastRow >= row) --r.lastRow;
    if (r.firstRow > r.lastRow) return std::nullopt;
    return r;
  };
  std::vector<CellRange> merges;
  for (const CellRange& m : merges_) {
    if (auto kept = closeUp(m); kept && !kept->isSingleCell()) merges.push_back(*kept);
  }
  merges_ = std::move(merges);
  if (selection_) selection_ = closeUp(*selection_);
  if (cursorRow_ == row) {
    cursorRow_ = cursorColumn_ = -1;
  } else if (cursorRow_ > row) {
    setCursorCell(cursorRow_ - 1, cursorColumn_);
  }
  show();
}

// Cells and sizes ---------------------------------------------------------------------

const GridCell& Grid::cell(int row, int column) const {
  static const GridCell outside;
  if (!hasCell(row, column)) return outside;
  return cells_[static_cast<std::size_t>(row) * columnWidths_.size() + static_cast<std::size_t>(column)];
}

void Grid::setCellText(int row, int column, std::string_view text) {
  if (!hasCell(row, column)) return;
  cellRef(row, column).text = text;
  show();
}

int Grid::rowHeight(int row) const {
  return row >= 0 && row < rowCount() ? rowHeights_[static_cast<std::size_t>(row)] : 0;
}

int Grid::columnWidth(int column) const {
  return column >= 0 && column < columnCount() ? columnWidths_[static_cast<std::size_t>(column)] : 0;
}

void Grid::setRowHeight(int row, int height) {
  if (row < 0 || row >= rowCount()) return;
  rowHeights_[static_cast<std::size_t>(row)] = std::max(height, 0);
  show();
}

void Grid::setColumnWidth(int column, int width) {
  if (column < 0 || column >= columnCount()) return;
  columnWidths_[static_cast<std::size_t>(column)] = std::max(width, 0);
  show();
}

// Merged blocks ---------------------------------------------------------------------

void Grid::merge(const CellRange& range) {
  auto block = clip(range);
  if (!block) return;
  std::erase_if(merges_, [&](const CellRange& m) { return m.intersects(*block); });
  if (!block->isSingleCell()) merges_.push_back(*block);
  // The cursor stands on a block's first cell.
  if (block->contains(cursorRow_, cursorColumn_)) cursorRow_ = block->firstRow, cursorColumn_ = block->firstColumn;
  show();
}

void Grid::undoMerge(int row, int column) {
  if (std::erase_if(merges_, [&](const CellRange& m) { return m.contains(row, column); }) > 0) show();
}

// Few blocks per table (six in the largest declaration table): a walk over them is
// cheaper than keeping a map of covered cells in step with every change.
CellRange Grid::blockAt(int row, int column) const {
  for (const CellRange& m : merges_) {
    if (m.contains(row, column)) return m;
  }
  return CellRange::cell(row, column);
}

// Colours, alignment, selection -----------------------------------------------------

std::optional<CellRange> Grid::clip(CellRange range) const {
  if (range.firstRow > range.lastRow) std::swap(range.firstRow, range.lastRow);
  if (range.firstColumn > range.lastColumn) std::swap(range.firstColumn, range.lastColumn);
  return cutTo(range, rowCount(), columnCount());
}

template <typename Change>
void Grid::changeCells(const CellRange& range, Change change) {
  auto cells = clip(range);
  if (!cells) return;
  for (int r = cells->firstRow; r <= cells->lastRow; ++r) {
    for (int c = cells->firstColumn; c <= cells->lastColumn; ++c) change(cellRef(r, c));
  }
  show();
}

void Grid::setTextColour(const CellRange& range, Colour colour) {
  changeCells(range, [colour](GridCell& cell) { cell.textColour = colour; });
}

void Grid::setBackgroundColour(const CellRange& range, Colour colour) {
  changeCells(range, [colour](GridCell& cell) { cell.backgroundColour = colour; });
}

void Grid::setAlignment(const CellRange& range, Alignment alignment) {
  changeCells(range, [alignment](GridCell& cell) { cell.alignment = alignment; });
}

void Grid::selectRange(const CellRange& range) {
  selection_ = clip(range);
  show();
}

// Cursor ----------------------------------------------------------------------------

void Grid::setCursorCell(int row, int column) {
  if (!hasCell(row, column)) return;
  const CellRange block = blockAt(row, column);
  cursorRow_ = block.firstRow;
  cursorColumn_ = block.firstColumn;
  show();
}

std::optional<CellRange> Grid::cellToward(CursorStep step) const {
  if (rowCount() == 0 || columnCount() == 0) return std::nullopt;
  if (cursorRow_ < 0) return blockAt(0, 0);
  const CellRange here = blockAt(cursorRow_, cursorColumn_);
  const int lastRow = rowCount() - 1, lastColumn = columnCount() - 1;
  int row = cursorRow_, column = cursorColumn_;
  switch (step) {
    case CursorStep::left: column = std::max(here.firstColumn - 1, 0); break;
    case CursorStep::right: column = here.lastColumn < lastColumn ? here.lastColumn + 1 : column; break;
    case CursorStep::up: row = std::max(here.firstRow - 1, 0); break;
    case CursorStep::down: row = here.lastRow < lastRow ? here.lastRow + 1 : row; break;
    case CursorStep::rowStart: column = 0; break;
    case CursorStep::rowEnd: column = lastColumn; break;
    case CursorStep::tableStart: row = 0, column = 0; break;
    case CursorStep::tableEnd: row = lastRow, column = lastColumn; break;
  }
  return blockAt(row, column);
}

void Grid::userMovedCursor(int row, int column) {
  if (!hasCell(row, column)) return;
  const CellRange block = blockAt(row, column);
  const bool moved = block.firstRow != cursorRow_ || block.firstColumn != cursorColumn_;
  cursorRow_ = block.firstRow;
  cursorColumn_ = block.firstColumn;
  selection_ = block;
  show();
  if (moved && onCurrentCellChanged) onCurrentCellChanged();
}

void Grid::show() {
  if (auto* p = peerAs<GridPeer>()) p->showTable();
}

}  // namespace platform
