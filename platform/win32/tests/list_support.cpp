#include "list_support.h"

#include "platform/win32/list_controls.h"

namespace platform::win32::testing {

std::vector<std::string> shownItems(HWND list) {
  std::vector<std::string> items;
  const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int pos = 0; pos < count; ++pos) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, pos, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, pos, reinterpret_cast<LPARAM>(text.data()))));
    items.push_back(narrow(text));
  }
  return items;
}

std::vector<std::string> modelItems(const ListControl& list) {
  std::vector<std::string> items;
  for (int pos = 0; pos < list.count(); ++pos) items.push_back(list.itemText(pos));
  return items;
}

int shownSelection(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); }

std::string shownSelectedText(HWND list) {
  const int pos = shownSelection(list);
  return pos < 0 ? std::string() : shownItems(list).at(static_cast<std::size_t>(pos));
}

RECT itemRect(HWND list, int pos) {
  RECT r{};
  SendMessageW(list, LB_GETITEMRECT, pos, reinterpret_cast<LPARAM>(&r));
  return r;
}

}  // namespace platform::win32::testing
