#include "stand_in_ide/win32/menu_bar.h"

#include <algorithm>
#include <cwctype>
#include <string_view>

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

// Each owner-drawn item carries the address of its text (a title's or an item's).
std::wstring_view textOf(ULONG_PTR itemData) { return *reinterpret_cast<const wchar_t* const*>(itemData); }

// The text before the tab, and the shortcut after it.
std::wstring_view labelOf(std::wstring_view text) { return text.substr(0, text.find(L'\t')); }
std::wstring_view shortcutOf(std::wstring_view text) {
  std::size_t tab = text.find(L'\t');
  return tab == std::wstring_view::npos ? std::wstring_view() : text.substr(tab + 1);
}

wchar_t mnemonicOf(std::wstring_view text) {
  std::size_t ampersand = text.find(L'&');
  return ampersand + 1 < text.size() ? static_cast<wchar_t>(std::towlower(text[ampersand + 1])) : 0;
}

// The room of the check-mark column, which items keep on their left, and between an
// item's text and its shortcut.
int columnWidth() { return GetSystemMetrics(SM_CXMENUCHECK); }

SIZE textSize(HDC dc, std::wstring_view text) {
  RECT area{};
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &area, DT_SINGLELINE | DT_CALCRECT);
  return {area.right - area.left, area.bottom - area.top};
}

void drawText(HDC dc, std::wstring_view text, RECT area, UINT format) {
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &area, format | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

}  // namespace

MenuBar::MenuBar(HWND window, std::span<const Menu> menus)
    : window(window), menus(menus), bar(CreateMenu()), font(createMenuFont()) {
  for (const Menu& menu : menus) {
    HMENU popup = popups.emplace_back(CreatePopupMenu());
    for (const MenuItem& item : menu.items) {
      AppendMenuW(popup, MF_OWNERDRAW, item.id, reinterpret_cast<const wchar_t*>(&item.text));
    }
    AppendMenuW(bar, MF_POPUP | MF_OWNERDRAW, reinterpret_cast<UINT_PTR>(popup),
                reinterpret_cast<const wchar_t*>(&menu.title));
  }
}

bool MenuBar::measure(MEASUREITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU) return false;
  std::wstring_view text = textOf(item.itemData);
  WindowDc dc(window);
  Selection menuFont(dc.get(), font.get());
  SIZE label = textSize(dc.get(), labelOf(text));
  item.itemWidth = label.cx;
  item.itemHeight = std::max<int>(label.cy, GetSystemMetrics(SM_CYMENU));
  bool title = std::any_of(menus.begin(), menus.end(),
                           [&](const Menu& m) { return reinterpret_cast<ULONG_PTR>(&m.title) == item.itemData; });
  if (!title) {
    std::wstring_view shortcut = shortcutOf(text);
    item.itemWidth += columnWidth() + (shortcut.empty() ? 0 : columnWidth() + textSize(dc.get(), shortcut).cx);
  }
  return true;
}

bool MenuBar::draw(const DRAWITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU) return false;
  std::wstring_view text = textOf(item.itemData);
  bool selected = item.itemState & (ODS_SELECTED | ODS_HOTLIGHT);
  RECT area = item.rcItem;
  FillRect(item.hDC, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  Selection menuFont(item.hDC, font.get());
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  UINT mnemonic = item.itemState & ODS_NOACCEL ? DT_HIDEPREFIX : 0;
  if (reinterpret_cast<HMENU>(item.hwndItem) == bar) {
    drawText(item.hDC, text, area, DT_CENTER | mnemonic);
    return true;
  }
  area.left += columnWidth();
  drawText(item.hDC, labelOf(text), area, DT_LEFT | mnemonic);
  area.right -= columnWidth() / 2;
  drawText(item.hDC, shortcutOf(text), area, DT_RIGHT | DT_NOPREFIX);
  return true;
}

LRESULT MenuBar::menuChar(wchar_t character, HMENU menu) const {
  auto chosen = [&](std::size_t i) { return MAKELRESULT(i, MNC_EXECUTE); };
  wchar_t key = static_cast<wchar_t>(std::towlower(character));
  if (menu == bar) {
    for (std::size_t i = 0; i < menus.size(); ++i) {
      if (mnemonicOf(menus[i].title) == key) return chosen(i);
    }
    return 0;
  }
  auto popup = std::find(popups.begin(), popups.end(), menu);
  if (popup == popups.end()) return 0;
  std::span<const MenuItem> items = menus[popup - popups.begin()].items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (mnemonicOf(labelOf(items[i].text)) == key) return chosen(i);
  }
  return 0;
}

}  // namespace stand_in_ide
