#include "platform/win32/list_controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "platform/win32/display_scale.h"

namespace platform::win32 {
namespace {

const NativeItems::Messages kListBoxMessages{LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_SETCURSEL};
const NativeItems::Messages kComboBoxMessages{CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_SETCURSEL};

// Ctrl+C, and Ctrl+Insert of older keyboards.
bool isCopyKey(WPARAM key) { return (key == 'C' || key == VK_INSERT) && GetKeyState(VK_CONTROL) < 0; }

}  // namespace

// Items -----------------------------------------------------------------------------

void NativeItems::itemInserted(int pos) {
  SendMessageW(hwnd(), messages_.insert, pos, reinterpret_cast<LPARAM>(wide(list_.itemText(pos)).c_str()));
}

void NativeItems::itemErased(int pos) { SendMessageW(hwnd(), messages_.erase, pos, 0); }

void NativeItems::itemsCleared() { SendMessageW(hwnd(), messages_.reset, 0, 0); }

void NativeItems::showSelection(int pos) { SendMessageW(hwnd(), messages_.select, pos, 0); }

void NativeItems::itemsReplaced() {
  itemsCleared();
  showAllItems();
}

void NativeItems::showAllItems() {
  for (int pos = 0; pos < list_.count(); ++pos) itemInserted(pos);
  showSelection(list_.currentSelection());
}

// List boxes ------------------------------------------------------------------------

NativeList::NativeList(ListControl& model) : NativeItems(model, kListBoxMessages) {}

bool NativeList::checkBoxes() const { return dynamic_cast<const CheckListBox*>(&list_) != nullptr; }

void NativeList::create(HWND parent) {
  // No LBS_SORT: the model sorts. Owner-drawn for the ticks, with the texts held all the same.
  const DWORD style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP;
  NativeControl::create(parent, L"LISTBOX", style, WS_EX_CLIENTEDGE);
  // An owner-drawn list keeps the system font's item height; a list of names keeps the
  // height of its own font, as it had when it drew its strings itself. A tick needs more.
  if (!checkBoxes()) SendMessageW(hwnd(), LB_SETITEMHEIGHT, 0, controlFontMetrics().tmHeight);
  showAllItems();
  subclass_.install<subclassProcedure>(hwnd(), reinterpret_cast<DWORD_PTR>(this));
}

// Thousands of items in one batch: the storage reserved at once, one redraw at the end.
void NativeList::showAllItems() {
  std::vector<std::wstring> texts;
  texts.reserve(static_cast<std::size_t>(list_.count()));
  std::size_t characters = 0;
  for (const ListItem& item : list_.items().all()) {
    texts.push_back(wide(item.text));
    characters += texts.back().size() + 1;
  }
  // Redraw turned back on makes a window visible: a hidden one draws nothing anyway.
  const bool visible = GetWindowLongW(hwnd(), GWL_STYLE) & WS_VISIBLE;
  if (visible) SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
  SendMessageW(hwnd(), LB_INITSTORAGE, texts.size(), characters * sizeof(wchar_t));
  for (const std::wstring& text : texts) SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  showSelection(list_.currentSelection());
  if (!visible) return;
  SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void NativeList::showItemChecked(int pos) {
  RECT r{};
  if (SendMessageW(hwnd(), LB_GETITEMRECT, pos, reinterpret_cast<LPARAM>(&r)) != LB_ERR)
    InvalidateRect(hwnd(), &r, TRUE);
}

bool NativeList::onCommand(WORD code) {
  int pos = static_cast<int>(SendMessageW(hwnd(), LB_GETCURSEL, 0, 0));
  if (code == LBN_SELCHANGE) {
    list_.userSelected(pos);
  } else if (code == LBN_DBLCLK) {
    list_.userDoubleClicked(pos);
  } else {
    return false;
  }
  return true;
}

int NativeList::checkBoxWidth() const { return displayScale().px(18); }

bool NativeList::onDrawItem(DRAWITEMSTRUCT* item) {
  const int pos = static_cast<int>(item->itemID);
  if (!list_.items().contains(pos)) return true;
  bool selected = item->itemState & ODS_SELECTED;
  HDC dc = item->hDC;
  RECT r = item->rcItem;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (checkBoxes()) {
    const int side = displayScale().px(13);
    const int boxTop = r.top + (r.bottom - r.top - side) / 2;
    RECT box{r.left + displayScale().px(2), boxTop, r.left + displayScale().px(2) + side, boxTop + side};
    bool checked = static_cast<const CheckListBox&>(list_).checked(pos);
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
  }
  RECT text{r.left + (checkBoxes() ? checkBoxWidth() : 0) + displayScale().px(2), r.top, r.right, r.bottom};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  std::wstring label = wide(list_.itemText(pos));
  DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &text,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (item->itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
  return true;
}

// A click on the box or the space bar ticks; a click on the text only selects.
bool NativeList::onCheckBoxMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  auto& checks = static_cast<CheckListBox&>(list_);
  bool onBox = GET_X_LPARAM(lParam) < checkBoxWidth();
  if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) && onBox) {
    LRESULT hit = SendMessageW(hwnd(), LB_ITEMFROMPOINT, 0, lParam);
    if (HIWORD(hit) == 0) checks.userToggled(LOWORD(hit));
    // Two quick clicks on a box are two ticks, not a double-click on the item (which
    // would open an example in the chosen example list).
    WindowSubclass::passOn(hwnd(), WM_LBUTTONDOWN, wParam, lParam);
    return true;
  }
  if (message == WM_KEYDOWN && wParam == VK_SPACE) {
    int pos = static_cast<int>(SendMessageW(hwnd(), LB_GETCURSEL, 0, 0));
    if (pos >= 0) checks.userToggled(pos);
    return true;
  }
  // The space's character would start the list's type-ahead search.
  return message == WM_CHAR && wParam == L' ';
}

// A right click selects the item under the pointer first, so that the menu acts on it.
void NativeList::selectItemAt(LPARAM at) {
  LRESULT hit = SendMessageW(hwnd(), LB_ITEMFROMPOINT, 0, at);
  int pos = LOWORD(hit);
  if (HIWORD(hit) != 0 || pos == list_.currentSelection()) return;
  SendMessageW(hwnd(), LB_SETCURSEL, pos, 0);
  list_.userSelected(pos);
}

// WM_CONTEXTMENU's point is on the screen, or (-1, -1) for the menu key and Shift+F10:
// the menu then opens below the selected item, or at the list's corner. False when the
// list has no menu.
bool NativeList::showContextMenu(LPARAM at) {
  if (list_.contextMenu.empty()) return false;
  POINT where{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (where.x == -1 && where.y == -1) {
    RECT item{};
    if (SendMessageW(hwnd(), LB_GETITEMRECT, list_.currentSelection(), reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
      item = {};
    }
    where = {item.left, item.bottom};
    ClientToScreen(hwnd(), &where);
  }
  Owned<HMENU, DestroyMenu> menu(CreatePopupMenu());
  if (!menu) return true;
  for (std::size_t i = 0; i < list_.contextMenu.size(); ++i) {
    std::wstring text = wide(list_.contextMenu[i]);
    // Wine starts the shortcut column ("\t" and what follows) right after the longest
    // text before it, where Windows leaves a gap: the gap is the menu's own.
    if (std::size_t tab = text.find(L'\t'); tab != std::wstring::npos) text.insert(tab, L"    ");
    AppendMenuW(menu.get(), MF_STRING, i + 1, text.c_str());
  }
  int chosen =
      TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, where.x, where.y, 0, hwnd(), nullptr);
  if (chosen > 0) list_.userChoseFromContextMenu(chosen - 1);
  return true;
}

LRESULT NativeList::subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR data) {
  auto* self = reinterpret_cast<NativeList*>(data);
  if (message == WM_RBUTTONDOWN) self->selectItemAt(lParam);
  if (message == WM_CONTEXTMENU && self->showContextMenu(lParam)) return 0;
  if (message == WM_KEYDOWN && isCopyKey(wParam)) {
    self->list_.userPressedCopyKey();
    return 0;
  }
  if (self->checkBoxes() && self->onCheckBoxMessage(message, wParam, lParam)) return 0;
  // The model's type-ahead, which knows the wizard's order, not the list's own.
  if (message == WM_CHAR && wParam >= L' ') {
    self->list_.userTypedCharacter(narrow(std::wstring(1, static_cast<wchar_t>(wParam))));
    return 0;
  }
  return WindowSubclass::passOn(hwnd, message, wParam, lParam);
}

// Drop-down lists -------------------------------------------------------------------

NativeDropDown::NativeDropDown(DropDownList& model) : NativeItems(model, kComboBoxMessages), dropDown_(model) {}

void NativeDropDown::create(HWND parent) {
  NativeControl::create(parent, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
  showAllItems();
}

bool NativeDropDown::onCommand(WORD code) {
  if (code != CBN_SELCHANGE) return false;
  dropDown_.userChose(static_cast<int>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0)));
  return true;
}

}  // namespace platform::win32
