// The grid's window: draws the model's table (cells, merged blocks, colours,
// alignment, selection, cursor cell), scrolls it, and reports clicks and cursor keys
// to the model, which raises its current cell changed event.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/grid.h"
#include "platform/win32/native_control.h"
#include "platform/win32/window_base.h"

namespace platform::win32 {

class NativeGrid : public NativeControl, public GridPeer, public WindowBase<NativeGrid> {
 public:
  static constexpr const wchar_t* kClassName = L"KelvaneGrid";
  explicit NativeGrid(Grid& model) : NativeControl(model), grid_(model) {}
  void create(HWND parent);
  void showText(std::string_view) override {}
  void showTable() override;

 protected:
  LRESULT handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Edges of the rows and columns in table pixels: entry i is where row or column i
  // begins, the last entry where the table ends.
  struct Edges {
    std::vector<int> rows, columns;
  };
  Edges edges() const;
  RECT blockRect(const Edges& edges, const CellRange& block) const;  // client pixels

  void paint(HDC dc, const RECT& client) const;
  void paintBlock(HDC dc, const Edges& edges, const CellRange& block, bool focused) const;

  void updateScrollBars();
  void scrollTo(int x, int y);
  void scrollBy(int bar, WORD code);
  void ensureVisible(const CellRange& block);

  // The cell under the mouse shows its text whole in a tooltip when the cell cuts it.
  void createTooltip();
  void mouseMoved(int x, int y);
  // The text rectangle of a block, as much of it as the window shows.
  RECT textRect(const Edges& edges, const CellRange& block) const;

  void clicked(int x, int y);
  bool keyPressed(WPARAM key);
  void moveCursorTo(int row, int column);

  Grid& grid_;
  int scrollX_ = 0, scrollY_ = 0;
  bool scrollBarsDue_ = false;
  bool updatingScrollBars_ = false;
  HWND tooltip_ = nullptr;
  std::optional<CellRange> tipBlock_;  // the block the tooltip's area covers
  std::wstring tipText_;               // empty while that block's text is whole
};

}  // namespace platform::win32
