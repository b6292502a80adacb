#include "stand_in_ide/win32/menu_bar.h"

#include <cwctype>

namespace stand_in_ide {
namespace {

using platform::win32::Selection;
using platform::win32::WindowDc;

HFONT createMenuFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
  return CreateFontIndirectW(&metrics.lfMenuFont);
}

wchar_t mnemonicOf(const wchar_t* text) {
  for (const wchar_t* c = text; *c; ++c) {
    if (*c == L'&' && c[1] != L'&') return static_cast<wchar_t>(std::towlower(c[1]));
  }
  return 0;
}

}  // namespace

MenuBar::MenuBar(HWND window, std::span<const Menu> menus)
    : window(window), menus(menus), bar(CreateMenu()), font(createMenuFont()) {
  for (const Menu& menu : menus) {
    HMENU popup = CreatePopupMenu();
    for (const MenuItem& item : menu.items) AppendMenuW(popup, MF_STRING, item.id, item.text);
    AppendMenuW(bar, MF_POPUP | MF_OWNERDRAW, reinterpret_cast<UINT_PTR>(popup),
                reinterpret_cast<const wchar_t*>(&menu));
  }
}

bool MenuBar::measure(MEASUREITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU) return false;
  const auto& menu = *reinterpret_cast<const Menu*>(item.itemData);
  WindowDc dc(window);
  Selection selected(dc.get(), font.get());
  RECT text{};
  DrawTextW(dc.get(), menu.title, -1, &text, DT_SINGLELINE | DT_CALCRECT);
  item.itemWidth = text.right - text.left;
  item.itemHeight = text.bottom - text.top;
  return true;
}

bool MenuBar::draw(const DRAWITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU) return false;
  const auto& menu = *reinterpret_cast<const Menu*>(item.itemData);
  bool selected = item.itemState & (ODS_SELECTED | ODS_HOTLIGHT);
  RECT area = item.rcItem;
  FillRect(item.hDC, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  Selection menuFont(item.hDC, font.get());
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;
  if (item.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  DrawTextW(item.hDC, menu.title, -1, &area, format);
  return true;
}

LRESULT MenuBar::menuChar(wchar_t character, HMENU menu) const {
  if (menu != bar) return 0;
  for (std::size_t i = 0; i < menus.size(); ++i) {
    if (mnemonicOf(menus[i].title) == std::towlower(character)) return MAKELRESULT(i, MNC_EXECUTE);
  }
  return 0;
}

}  // namespace stand_in_ide
