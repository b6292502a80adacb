// The grid renderer: draws a DLL command or a data type as a table into a grid.
//
// It keeps nothing of a table between calls: every operation works on the grid that
// it is given, and each rendering starts by resetting that grid. Its one companion is
// the drawing board whose font measures the cell texts (`画板1`), because the columns
// are sized to the texts as that font draws them. Holding nothing else, a renderer is
// made over `画板1` for each table that the view draws.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "library/declaration_lookup.h"
#include "platform/controls.h"
#include "platform/grid.h"

namespace view {

// Colours of the tables (Windows colour values, 0x00BBGGRR).
inline constexpr platform::Colour kHeadingBackground = 0xE4EDE6;
inline constexpr platform::Colour kNameText = 0x800000;
inline constexpr platform::Colour kTypeText = 0xFF0000;
inline constexpr platform::Colour kFlagText = 0x000080;  // flags, dimensions, DLL file and entry name
inline constexpr platform::Colour kCommentText = 0x008000;
inline constexpr platform::Colour kBlankBackground = 0xFFFFFF;

// A true by-address or array flag.
inline constexpr std::string_view kCheckMark = "√";

// What put text does besides writing the text; what is not given has no effect.
struct PutOptions {
  std::optional<int> mergeFrom;  // merges the row from this column...
  std::optional<int> mergeTo;    // ...to this one (the merge-from column when not given)
  std::optional<platform::Colour> textColour;
  std::optional<platform::Colour> background;
};

// A heading cell: the heading background, merged as given.
PutOptions heading(std::optional<int> mergeFrom = {}, std::optional<int> mergeTo = {});
// A text in the given colour, merged as given.
PutOptions coloured(platform::Colour text, std::optional<int> mergeFrom = {}, std::optional<int> mergeTo = {});

class GridRenderer {
 public:
  explicit GridRenderer(const platform::DrawingBoard& measuringBoard) : measuringBoard_(measuringBoard) {}
  GridRenderer(const GridRenderer&) = delete;
  GridRenderer& operator=(const GridRenderer&) = delete;

  // The operations, in their fixed order.
  virtual ~GridRenderer();
  virtual std::unique_ptr<GridRenderer> copy() const;
  // Width and height in pixels of the text on one line in the measuring board's font.
  virtual platform::Size measureText(std::string_view text) const;
  // Grows the row and the column, never shrinks them, so that the text fits (no margin).
  virtual void fitCell(platform::Grid& grid, std::string_view text, int row, int column) const;
  // Row -1 is the last row.
  virtual void putText(platform::Grid& grid, int row, int column, std::string_view text,
                       const PutOptions& options = {}) const;
  // Sums of (row height + 2) and (column width + 2).
  virtual int totalHeight(const platform::Grid& grid) const;
  virtual int totalWidth(const platform::Grid& grid) const;
  // One row of `columnCount` default-sized columns, unmerged and left-aligned.
  virtual void resetGrid(platform::Grid& grid, int columnCount) const;
  virtual void renderDataType(platform::Grid& grid, const library::DataTypeRecord& record) const;
  virtual void renderDllCommand(platform::Grid& grid, const library::DllCommandRecord& record) const;

 private:
  // Columns 2 and 3 become as wide as twice their flag heading; column 4 gets what the
  // comment cell of row 1 (which starts at `commentColumn`) was fitted to, less the
  // new width of `commentColumn`, unless that would leave it narrower than that column.
  // Columns 0 and 1 are narrowed to a share of the grid's width (or their heading's).
  void finishColumns(platform::Grid& grid, int commentColumn, std::string_view column2Heading) const;

  const platform::DrawingBoard& measuringBoard_;
};

// One empty white cell: a grid with nothing to show.
void blankGrid(platform::Grid& grid);

}  // namespace view
