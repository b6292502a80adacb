// The stand-in IDE's menu bar and its menus, drawn by the window itself (MFT_OWNERDRAW).
//
// Wine lays a menu's text out by the width that the menu font measures: a menu bar title
// exactly that wide, the text clipped to it; a menu item's shortcut column just past it.
// With a Chinese menu font at 12 pixels (宋体, which the Wine prefix maps to WenQuanYi Zen
// Hei Sharp) the ASCII glyphs come from the font's embedded bitmaps, 6 pixels each, wider
// than the outline widths that the measuring reports: "文件(&F)" measures 38 pixels and
// draws 42, so its ")" was cut, and "粘贴(&V)" ran into its "Ctrl+V". Drawn here, a title
// stands centred in the room that the system gives around an owner-drawn title (twice the
// font's average character width) and an item's shortcut is right-aligned a column's width
// away, neither clipped to its measure, so what the font draws beyond it stays in sight.
// Mnemonics (Alt+F, then S) come back through WM_MENUCHAR, since the system knows no text
// of an owner-drawn item.
#pragma once

#include <windows.h>

#include <span>
#include <vector>

#include "platform/win32/handles.h"

namespace stand_in_ide {

struct MenuItem {
  UINT id;
  const wchar_t* text;  // with its "&" mnemonic and, after a tab, its shortcut
};

struct Menu {
  const wchar_t* title;  // with its "&" mnemonic
  std::span<const MenuItem> items;
};

class MenuBar {
 public:
  // The menus must outlive the bar: their texts are drawn from them.
  MenuBar(HWND window, std::span<const Menu> menus);
  HMENU handle() const { return bar; }
  // The window's WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR for the menus' items;
  // false (or 0) for what is not theirs.
  bool measure(MEASUREITEMSTRUCT& item) const;
  bool draw(const DRAWITEMSTRUCT& item) const;
  LRESULT menuChar(wchar_t character, HMENU menu) const;

 private:
  HWND window;
  std::span<const Menu> menus;
  HMENU bar;
  std::vector<HMENU> popups;        // one per menu, in order
  platform::win32::OwnedFont font;  // the system's menu font
};

}  // namespace stand_in_ide
