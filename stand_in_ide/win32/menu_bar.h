// The stand-in IDE's menu bar, whose titles the window draws itself (MFT_OWNERDRAW).
//
// Wine lays a menu bar title out exactly as wide as the menu font measures it and clips
// the drawn text to that width. With a Chinese menu font at 12 pixels (宋体, which the
// Wine prefix maps to WenQuanYi Zen Hei Sharp) the ASCII glyphs come from the font's
// embedded bitmaps, 6 pixels each, wider than the outline widths that the measuring
// reports: "文件(&F)" measures 38 pixels and draws 42, and its ")" was cut. Windows adds
// twice the menu font's average character width around an owner-drawn title; the title
// is drawn centred in that room without being clipped, so what a font draws beyond its
// measure stays in sight. Mnemonics (Alt+F) come back through WM_MENUCHAR, since the
// system knows no text of an owner-drawn title.
#pragma once

#include <windows.h>

#include <span>

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
  // The menus must outlive the bar: the titles are drawn from them.
  MenuBar(HWND window, std::span<const Menu> menus);
  HMENU handle() const { return bar; }
  // The window's WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR for the bar's titles;
  // false (or 0) for what is not theirs.
  bool measure(MEASUREITEMSTRUCT& item) const;
  bool draw(const DRAWITEMSTRUCT& item) const;
  LRESULT menuChar(wchar_t character, HMENU menu) const;

 private:
  HWND window;
  std::span<const Menu> menus;
  HMENU bar;
  platform::win32::OwnedFont font;  // the system's menu font
};

}  // namespace stand_in_ide
