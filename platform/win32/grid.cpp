// [SECTION] Look: font, colours, cell geometry
// [SECTION] Table changes and scrolling
// [SECTION] Painting
// [SECTION] Mouse and keyboard
#include "platform/win32/grid.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <string>

#include "platform/win32/display_scale.h"
#include "platform/win32/handles.h"

namespace platform::win32 {
namespace {

// ---------------------------------------------------------------------------------
// [SECTION] Look
// ---------------------------------------------------------------------------------

// Space left and right of a cell's text. The model's column width is the width of
// the text that it was fitted to, so the padding comes on top of it, never out of it.
int padding() { return displayScale().px(3); }
// One pixel of grid line right of and below every cell.
constexpr int kLine = 1;
int horizontalLine() { return displayScale().px(20); }  // pixels per scroll arrow click
constexpr UINT kUpdateScrollBars = WM_APP + 1;

// Cells draw in the font in which the declaration view measures their texts: the
// default GUI font at 10 points, as `画板1` has it.
HFONT cellFont() {
  static HFONT font = createDefaultGuiFont(10);
  return font;
}

COLORREF blend(COLORREF a, COLORREF b, int percentOfB) {
  auto mix = [percentOfB](int x, int y) { return static_cast<BYTE>((x * (100 - percentOfB) + y * percentOfB) / 100); };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

COLORREF lineColour() { return blend(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_BTNSHADOW), 45); }

void fill(HDC dc, const RECT& r, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A frame `thickness` pixels wide just inside `r`.
void frame(HDC dc, RECT r, COLORREF colour, int thickness) {
  for (int i = 0; i < thickness; ++i) {
    fill(dc, {r.left, r.top, r.right, r.top + 1}, colour);
    fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, colour);
    fill(dc, {r.left, r.top, r.left + 1, r.bottom}, colour);
    fill(dc, {r.right - 1, r.top, r.right, r.bottom}, colour);
    InflateRect(&r, -1, -1);
  }
}

UINT alignmentFlags(Alignment alignment) {
  switch (alignment) {
    case Alignment::centred: return DT_CENTER;
    case Alignment::right: return DT_RIGHT;
    case Alignment::left: break;
  }
  return DT_LEFT;
}

int clientWidth(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return r.right;
}

int clientHeight(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return r.bottom;
}

}  // namespace

void NativeGrid::create(HWND parent) {
  registerClass(nullptr);
  // Made without scroll bars: taking away bars that an empty table does not need would
  // lay out the window's frame again. Setting the ranges shows what the content needs.
  NativeControl::create(parent, kClassName, WS_TABSTOP, WS_EX_CLIENTEDGE, static_cast<WindowBase*>(this));
  updateScrollBars();
  createTooltip();
}

void NativeGrid::createTooltip() {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0,
                             hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!tooltip_) return;
  // One tool whose area follows the cell under the mouse; its text is asked for when shown.
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = hwnd();
  tool.uId = 1;
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, displayScale().px(480));
}

NativeGrid::Edges NativeGrid::edges() const {
  Edges e;
  e.rows.reserve(static_cast<std::size_t>(grid_.rowCount()) + 1);
  e.columns.reserve(static_cast<std::size_t>(grid_.columnCount()) + 1);
  int y = 0;
  e.rows.push_back(y);
  for (int r = 0; r < grid_.rowCount(); ++r) e.rows.push_back(y += grid_.rowHeight(r) + kLine);
  int x = 0;
  e.columns.push_back(x);
  for (int c = 0; c < grid_.columnCount(); ++c) e.columns.push_back(x += grid_.columnWidth(c) + 2 * padding() + kLine);
  return e;
}

RECT NativeGrid::blockRect(const Edges& e, const CellRange& block) const {
  return {e.columns[static_cast<std::size_t>(block.firstColumn)] - scrollX_,
          e.rows[static_cast<std::size_t>(block.firstRow)] - scrollY_,
          e.columns[static_cast<std::size_t>(block.lastColumn) + 1] - scrollX_,
          e.rows[static_cast<std::size_t>(block.lastRow) + 1] - scrollY_};
}

// ---------------------------------------------------------------------------------
// [SECTION] Table changes and scrolling
// ---------------------------------------------------------------------------------

// A rendering changes the model some hundred times: size the scroll bars and repaint
// once, after the handler that changes it has returned.
void NativeGrid::showTable() {
  // Every rendering starts from one row: a new table shows from its top left corner.
  if (grid_.rowCount() <= 1) scrollX_ = scrollY_ = 0;
  tipBlock_.reset();
  if (scrollBarsDue_) return;
  scrollBarsDue_ = true;
  // A full message queue would leave the grid unpainted: then it is done at once.
  if (!PostMessageW(hwnd(), kUpdateScrollBars, 0, 0)) {
    scrollBarsDue_ = false;
    updateScrollBars();
  }
}

void NativeGrid::updateScrollBars() {
  if (updatingScrollBars_) return;
  updatingScrollBars_ = true;
  const Edges e = edges();
  // Showing one bar narrows the room for the other: a second pass settles both.
  for (int pass = 0; pass < 2; ++pass) {
    const int width = clientWidth(hwnd()), height = clientHeight(hwnd());
    scrollX_ = std::clamp(scrollX_, 0, std::max(e.columns.back() - width, 0));
    scrollY_ = std::clamp(scrollY_, 0, std::max(e.rows.back() - height, 0));
    SCROLLINFO si{static_cast<UINT>(sizeof si),
                  SIF_RANGE | SIF_PAGE | SIF_POS,
                  0,
                  std::max(e.columns.back() - 1, 0),
                  static_cast<UINT>(std::max(width, 1)),
                  scrollX_,
                  0};
    SetScrollInfo(hwnd(), SB_HORZ, &si, TRUE);
    si.nMax = std::max(e.rows.back() - 1, 0);
    si.nPage = static_cast<UINT>(std::max(height, 1));
    si.nPos = scrollY_;
    SetScrollInfo(hwnd(), SB_VERT, &si, TRUE);
  }
  updatingScrollBars_ = false;
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void NativeGrid::scrollTo(int x, int y) {
  const Edges e = edges();
  x = std::clamp(x, 0, std::max(e.columns.back() - clientWidth(hwnd()), 0));
  y = std::clamp(y, 0, std::max(e.rows.back() - clientHeight(hwnd()), 0));
  if (x == scrollX_ && y == scrollY_) return;
  scrollX_ = x;
  scrollY_ = y;
  tipBlock_.reset();
  SetScrollPos(hwnd(), SB_HORZ, scrollX_, TRUE);
  SetScrollPos(hwnd(), SB_VERT, scrollY_, TRUE);
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void NativeGrid::scrollBy(int bar, WORD code) {
  const bool vertical = bar == SB_VERT;
  const int line = vertical ? grid_.defaultRowHeight() + kLine : horizontalLine();
  const int page = vertical ? clientHeight(hwnd()) : clientWidth(hwnd());
  int pos = vertical ? scrollY_ : scrollX_;
  switch (code) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = INT_MAX / 2; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si{static_cast<UINT>(sizeof si), SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(hwnd(), bar, &si);
      pos = si.nTrackPos;
      break;
    }
    default: return;
  }
  if (vertical) {
    scrollTo(scrollX_, pos);
  } else {
    scrollTo(pos, scrollY_);
  }
}

void NativeGrid::ensureVisible(const CellRange& block) {
  const Edges e = edges();
  if (!grid_.hasCell(block.firstRow, block.firstColumn) || !grid_.hasCell(block.lastRow, block.lastColumn)) return;
  const int left = e.columns[static_cast<std::size_t>(block.firstColumn)];
  const int right = e.columns[static_cast<std::size_t>(block.lastColumn) + 1];
  const int top = e.rows[static_cast<std::size_t>(block.firstRow)];
  const int bottom = e.rows[static_cast<std::size_t>(block.lastRow) + 1];
  int x = scrollX_, y = scrollY_;
  // Bring the far edge in first, then the near one, so that a block larger than the
  // window shows its beginning.
  if (right > x + clientWidth(hwnd())) x = right - clientWidth(hwnd());
  if (left < x) x = left;
  if (bottom > y + clientHeight(hwnd())) y = bottom - clientHeight(hwnd());
  if (top < y) y = top;
  scrollTo(x, y);
}

// ---------------------------------------------------------------------------------
// [SECTION] Painting
// ---------------------------------------------------------------------------------

void NativeGrid::paint(HDC dc, const RECT& client) const {
  fill(dc, client, GetSysColor(COLOR_WINDOW));
  if (grid_.rowCount() == 0 || grid_.columnCount() == 0) return;
  const Edges e = edges();
  const bool focused = GetFocus() == hwnd();

  // The rows and columns in view; a merged block is painted once, from the first of
  // its cells that is in view.
  auto firstInView = [](const std::vector<int>& edges, int from) {
    auto it = std::upper_bound(edges.begin(), edges.end(), from);
    return std::max(static_cast<int>(it - edges.begin()) - 1, 0);
  };
  const int firstRow = firstInView(e.rows, scrollY_);
  const int firstColumn = firstInView(e.columns, scrollX_);
  const int lastRow = std::min(firstInView(e.rows, scrollY_ + client.bottom), grid_.rowCount() - 1);
  const int lastColumn = std::min(firstInView(e.columns, scrollX_ + client.right), grid_.columnCount() - 1);

  {
    Selection font(dc, cellFont());
    SetBkMode(dc, TRANSPARENT);
    for (int r = firstRow; r <= lastRow; ++r) {
      for (int c = firstColumn; c <= lastColumn; ++c) {
        const CellRange block = grid_.blockAt(r, c);
        if (r == std::max(block.firstRow, firstRow) && c == std::max(block.firstColumn, firstColumn)) {
          paintBlock(dc, e, block, focused);
        }
      }
    }
  }

  if (grid_.hasCell(grid_.cursorRow(), grid_.cursorColumn())) {
    RECT r = blockRect(e, grid_.blockAt(grid_.cursorRow(), grid_.cursorColumn()));
    r.right -= kLine;
    r.bottom -= kLine;
    if (focused) {
      frame(dc, r, GetSysColor(COLOR_HIGHLIGHT), 2);
    } else {
      frame(dc, r, GetSysColor(COLOR_BTNSHADOW), 1);
    }
  }
}

void NativeGrid::paintBlock(HDC dc, const Edges& e, const CellRange& block, bool focused) const {
  const GridCell& cell = grid_.cell(block.firstRow, block.firstColumn);
  const RECT outer = blockRect(e, block);
  const RECT inner{outer.left, outer.top, outer.right - kLine, outer.bottom - kLine};

  COLORREF background = cell.backgroundColour.value_or(GetSysColor(COLOR_WINDOW));
  // The selection tints what it covers, so that the headings keep their colour in it.
  const auto selection = grid_.selection();
  if (focused && selection && selection->intersects(block)) {
    background = blend(background, GetSysColor(COLOR_HIGHLIGHT), 22);
  }
  fill(dc, inner, background);
  fill(dc, {inner.right, outer.top, outer.right, outer.bottom}, lineColour());
  fill(dc, {outer.left, inner.bottom, outer.right, outer.bottom}, lineColour());

  if (cell.text.empty()) return;
  const std::wstring text = wide(cell.text);
  RECT shown = textRect(e, block);
  SetTextColor(dc, cell.textColour.value_or(GetSysColor(COLOR_WINDOWTEXT)));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shown,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | alignmentFlags(cell.alignment));
}

RECT NativeGrid::textRect(const Edges& e, const CellRange& block) const {
  const RECT outer = blockRect(e, block);
  // A cell that runs out of view ends its text with "…" at the window's edge, as a cell
  // too narrow for it does at its own.
  return {outer.left + padding(), outer.top, std::min<LONG>(outer.right - kLine - padding(), clientWidth(hwnd())),
          outer.bottom - kLine};
}

// ---------------------------------------------------------------------------------
// [SECTION] Mouse and keyboard
// ---------------------------------------------------------------------------------

void NativeGrid::mouseMoved(int x, int y) {
  if (!tooltip_) return;
  const Edges e = edges();
  auto indexOf = [](const std::vector<int>& edges, int at) {
    return static_cast<int>(std::upper_bound(edges.begin(), edges.end(), at) - edges.begin()) - 1;
  };
  const int row = indexOf(e.rows, y + scrollY_), column = indexOf(e.columns, x + scrollX_);
  std::optional<CellRange> block;
  if (grid_.hasCell(row, column)) block = grid_.blockAt(row, column);
  if (block == tipBlock_) return;
  tipBlock_ = block;
  tipText_.clear();
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = hwnd();
  tool.uId = 1;
  if (block) {
    tool.rect = blockRect(e, *block);
    const GridCell& cell = grid_.cell(block->firstRow, block->firstColumn);
    const std::wstring text = wide(cell.text);
    const RECT shown = textRect(e, *block);
    WindowDc dc(hwnd());
    Selection font(dc.get(), cellFont());
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    if (extent.cx > shown.right - shown.left) tipText_ = text;
  }
  // The tip of the cell left behind goes; the new area shows its own after the delay.
  SendMessageW(tooltip_, TTM_POP, 0, 0);
  SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void NativeGrid::clicked(int x, int y) {
  const Edges e = edges();
  x += scrollX_;
  y += scrollY_;
  if (x >= e.columns.back() || y >= e.rows.back()) return;
  auto indexOf = [](const std::vector<int>& edges, int at) {
    return static_cast<int>(std::upper_bound(edges.begin(), edges.end(), at) - edges.begin()) - 1;
  };
  moveCursorTo(indexOf(e.rows, y), indexOf(e.columns, x));
}

void NativeGrid::moveCursorTo(int row, int column) {
  if (!grid_.hasCell(row, column)) return;
  grid_.userMovedCursor(row, column);
  // The event's handler may have narrowed this window (to show the other grid beside
  // it): the cursor cell is brought into view in the window as it is now.
  ensureVisible(grid_.blockAt(grid_.cursorRow(), grid_.cursorColumn()));
  InvalidateRect(hwnd(), nullptr, FALSE);
}

bool NativeGrid::keyPressed(WPARAM key) {
  const bool control = GetKeyState(VK_CONTROL) < 0;
  std::optional<CellRange> target;
  switch (key) {
    case VK_LEFT: target = grid_.cellToward(CursorStep::left); break;
    case VK_RIGHT: target = grid_.cellToward(CursorStep::right); break;
    case VK_UP: target = grid_.cellToward(CursorStep::up); break;
    case VK_DOWN: target = grid_.cellToward(CursorStep::down); break;
    case VK_HOME: target = grid_.cellToward(control ? CursorStep::tableStart : CursorStep::rowStart); break;
    case VK_END: target = grid_.cellToward(control ? CursorStep::tableEnd : CursorStep::rowEnd); break;
    case VK_PRIOR:
    case VK_NEXT: {
      // As many rows as the window shows, counted from the cursor's row.
      if (grid_.rowCount() == 0 || grid_.columnCount() == 0) return true;
      int row = std::max(grid_.cursorRow(), 0);
      const int step = key == VK_NEXT ? 1 : -1;
      for (int room = clientHeight(hwnd()); row + step >= 0 && row + step < grid_.rowCount();) {
        room -= grid_.rowHeight(row + step) + kLine;
        if (room < 0) break;
        row += step;
      }
      target = grid_.blockAt(row, std::max(grid_.cursorColumn(), 0));
      break;
    }
    default: return false;
  }
  if (target) moveCursorTo(target->firstRow, target->firstColumn);
  return true;
}

LRESULT NativeGrid::handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // Messages of the creation itself come before the window is this control's.
  if (this->hwnd() != hwnd) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: {
      PaintDc dc(hwnd);
      RECT client{};
      GetClientRect(hwnd, &client);
      // Drawn off screen and copied in one go: no flicker while the table is redrawn.
      MemoryDc memory(CreateCompatibleDC(dc.get()));
      OwnedBitmap bitmap = createOffScreenBitmap(std::max<int>(client.right, 1), std::max<int>(client.bottom, 1));
      Selection picture(memory.get(), bitmap.get());
      paint(memory.get(), client);
      BitBlt(dc.get(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: updateScrollBars(); return 0;
    case kUpdateScrollBars:
      // Any program can post this message: only the one we posted does the work, so a
      // flood of others costs nothing.
      if (scrollBarsDue_) {
        scrollBarsDue_ = false;
        updateScrollBars();
      }
      return 0;
    case WM_HSCROLL: scrollBy(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_VSCROLL: scrollBy(SB_VERT, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: {
      UINT lines = 3;
      SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      scrollTo(scrollX_, scrollY_ - notches * static_cast<int>(lines) * (grid_.defaultRowHeight() + kLine));
      return 0;
    }
    case WM_MOUSEMOVE: mouseMoved(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_NOTIFY: {
      auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
      if (info->hdr.hwndFrom != tooltip_ || info->hdr.code != TTN_GETDISPINFOW) break;
      // No text, no tip: a whole text needs none.
      info->lpszText = tipText_.data();
      return 0;
    }
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      clicked(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_KEYDOWN:
      if (keyPressed(wParam)) return 0;
      break;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    default: break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace platform::win32
