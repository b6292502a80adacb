#include "view/grid_renderer.h"

#include <algorithm>
#include <cstddef>

namespace view {
namespace {

constexpr int kColumns = 5;
// The most of a grid's width that each of the name and type columns takes, in percent.
constexpr int kNameColumnsShare = 28;

std::string_view checkMark(bool flag) { return flag ? kCheckMark : std::string_view(); }

}  // namespace

PutOptions heading(std::optional<int> mergeFrom, std::optional<int> mergeTo) {
  return {.mergeFrom = mergeFrom, .mergeTo = mergeTo, .textColour = std::nullopt, .background = kHeadingBackground};
}

PutOptions coloured(platform::Colour text, std::optional<int> mergeFrom, std::optional<int> mergeTo) {
  return {.mergeFrom = mergeFrom, .mergeTo = mergeTo, .textColour = text, .background = std::nullopt};
}

GridRenderer::~GridRenderer() = default;

std::unique_ptr<GridRenderer> GridRenderer::copy() const { return std::make_unique<GridRenderer>(measuringBoard_); }

platform::Size GridRenderer::measureText(std::string_view text) const { return measuringBoard_.measureText(text); }

void GridRenderer::fitCell(platform::Grid& grid, std::string_view text, int row, int column) const {
  const platform::Size size = measureText(text);
  if (grid.rowHeight(row) < size.height) grid.setRowHeight(row, size.height);
  if (grid.columnWidth(column) < size.width) grid.setColumnWidth(column, size.width);
}

void GridRenderer::putText(platform::Grid& grid, int row, int column, std::string_view text,
                           const PutOptions& options) const {
  if (row == -1) row = grid.rowCount() - 1;
  grid.setCellText(row, column, text);
  fitCell(grid, text, row, column);
  if (options.mergeFrom) {
    grid.merge(platform::CellRange::rowSpan(row, *options.mergeFrom, options.mergeTo.value_or(*options.mergeFrom)));
  }
  if (options.textColour) grid.setTextColour(platform::CellRange::cell(row, column), *options.textColour);
  if (options.background) grid.setBackgroundColour(platform::CellRange::cell(row, column), *options.background);
}

int GridRenderer::totalHeight(const platform::Grid& grid) const {
  int total = 0;
  for (int row = 0; row < grid.rowCount(); ++row) total += grid.rowHeight(row) + 2;
  return total;
}

int GridRenderer::totalWidth(const platform::Grid& grid) const {
  int total = 0;
  for (int column = 0; column < grid.columnCount(); ++column) total += grid.columnWidth(column) + 2;
  return total;
}

void GridRenderer::resetGrid(platform::Grid& grid, int columnCount) const {
  // Setting the counts also brings every row and column back to the default size.
  grid.setRowCount(1);
  grid.setColumnCount(columnCount);
  for (int column = 0; column < grid.columnCount(); ++column) grid.undoMerge(0, column);
  grid.setAlignment(platform::CellRange::rowSpan(0, 0, columnCount - 1), platform::Alignment::left);
}

void GridRenderer::renderDllCommand(platform::Grid& grid, const library::DllCommandRecord& record) const {
  resetGrid(grid, kColumns);
  putText(grid, 0, 0, "DLL命令名", heading());
  putText(grid, 0, 1, "返回值类型", heading());
  putText(grid, 0, 2, "公开", heading());
  putText(grid, 0, 3, "备注", heading(3, 4));
  if (grid.appendRow()) {
    putText(grid, -1, 0, record.name, coloured(kNameText));
    putText(grid, -1, 1, record.returnType, coloured(kTypeText));
    putText(grid, -1, 3, record.comment, coloured(kCommentText, 3, 4));
  }
  if (grid.appendRow()) putText(grid, -1, 0, "Dll库文件名：", heading(0, 4));
  if (grid.appendRow()) putText(grid, -1, 0, record.dllFile, coloured(kFlagText, 0, 4));
  if (grid.appendRow()) putText(grid, -1, 0, "在Dll库中对应命令名：", heading(0, 4));
  if (grid.appendRow()) putText(grid, -1, 0, record.entryName, coloured(kFlagText, 0, 4));
  if (grid.appendRow()) {
    putText(grid, -1, 0, "参数名", heading());
    putText(grid, -1, 1, "类型", heading());
    putText(grid, -1, 2, "传址", heading());
    putText(grid, -1, 3, "数组", heading());
    putText(grid, -1, 4, "备注", heading());
    for (const library::Parameter& parameter : record.parameters) {
      if (!grid.appendRow()) break;
      putText(grid, -1, 0, parameter.name);
      putText(grid, -1, 1, parameter.type, coloured(kTypeText));
      putText(grid, -1, 2, checkMark(parameter.byAddress), coloured(kFlagText));
      putText(grid, -1, 3, checkMark(parameter.isArray), coloured(kFlagText));
      putText(grid, -1, 4, parameter.comment, coloured(kCommentText));
    }
  }
  finishColumns(grid, 3, "公开");
}

void GridRenderer::renderDataType(platform::Grid& grid, const library::DataTypeRecord& record) const {
  resetGrid(grid, kColumns);
  putText(grid, 0, 0, "数据类型名", heading());
  putText(grid, 0, 1, "公开", heading());
  putText(grid, 0, 2, "备注", heading(2, 4));
  if (grid.appendRow()) {
    putText(grid, -1, 0, record.name, coloured(kNameText));
    putText(grid, -1, 2, record.comment, coloured(kCommentText, 2, 4));
  }
  if (grid.appendRow()) {
    putText(grid, -1, 0, "成员名", heading());
    putText(grid, -1, 1, "类型", heading());
    putText(grid, -1, 2, "传址", heading());
    putText(grid, -1, 3, "数组", heading());
    putText(grid, -1, 4, "备注", heading());
    for (const library::Member& member : record.members) {
      if (!grid.appendRow()) break;
      putText(grid, -1, 0, member.name);
      putText(grid, -1, 1, member.type, coloured(kTypeText));
      putText(grid, -1, 2, checkMark(member.byAddress), coloured(kFlagText));
      putText(grid, -1, 3, member.dimensions, coloured(kFlagText));
      putText(grid, -1, 4, member.comment, coloured(kCommentText));
    }
  }
  finishColumns(grid, 2, "传址");
}

void GridRenderer::finishColumns(platform::Grid& grid, int commentColumn, std::string_view column2Heading) const {
  const int fitted = grid.columnWidth(commentColumn);
  grid.setColumnWidth(2, 2 * measureText(column2Heading).width);
  grid.setColumnWidth(3, 2 * measureText("数组").width);
  const int c = grid.columnWidth(commentColumn);
  grid.setColumnWidth(4, fitted - c >= c ? fitted - c : fitted);
  // A long name or type would push the comments out of view: the first two columns take
  // at most a share of the grid's width, or their heading's, and cut the rest (the grid
  // ends a cut text with "…" and shows it whole in a tooltip). A grid not yet laid out
  // has no width to share.
  const int share = grid.rect().width * kNameColumnsShare / 100;
  for (int column : {0, 1}) {
    const int limit = std::max(share, measureText(grid.cellText(0, column)).width);
    if (share > 0 && grid.columnWidth(column) > limit) grid.setColumnWidth(column, limit);
  }
  grid.selectRange(platform::CellRange::rowSpan(0, 0, kColumns - 1));
}

void blankGrid(platform::Grid& grid) {
  grid.setRowCount(1);
  grid.setColumnCount(1);
  grid.setCellText(0, 0, "");
  grid.setBackgroundColour(platform::CellRange::cell(0, 0), kBlankBackground);
}

}  // namespace view
