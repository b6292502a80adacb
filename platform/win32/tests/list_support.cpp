#include "list_support.h"

#include "platform/win32/list_controls.h"

namespace platform::win32::testing {

namespace {

// Asks a virtual list for an item's text as another program would: a window of ours
// receives the text as WM_COPYDATA.
std::string askedItemText(HWND list, int pos) {
  static std::wstring received;
  static const HWND receiver = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message != WM_COPYDATA) return DefWindowProcW(hwnd, message, wParam, lParam);
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      received.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
      return TRUE;
    };
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ItemTextReceiver";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, L"ItemTextReceiver", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  }();
  received = L"(no answer)";
  SendMessageW(list, itemTextRequestMessage(), static_cast<WPARAM>(pos), reinterpret_cast<LPARAM>(receiver));
  return narrow(received);
}

}  // namespace

std::vector<std::string> shownItems(HWND list) {
  std::vector<std::string> items;
  const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int pos = 0; pos < count; ++pos) items.push_back(askedItemText(list, pos));
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
