// Drop-down lists: the list shows the model's items and choice; choosing with the keys
// raises the model's event once with the new choice; the program's choice raises none.
#include "peer_test.h"
#include "platform/win32/list_controls.h"

namespace platform::win32::testing {
namespace {

std::vector<std::string> shownItems(HWND box) {
  std::vector<std::string> items;
  const auto count = static_cast<int>(SendMessageW(box, CB_GETCOUNT, 0, 0));
  for (int pos = 0; pos < count; ++pos) {
    std::wstring item(static_cast<std::size_t>(SendMessageW(box, CB_GETLBTEXTLEN, pos, 0)) + 1, L'\0');
    item.resize(static_cast<std::size_t>(SendMessageW(box, CB_GETLBTEXT, pos, reinterpret_cast<LPARAM>(item.data()))));
    items.push_back(narrow(item));
  }
  return items;
}

int shownChoice(HWND box) { return static_cast<int>(SendMessageW(box, CB_GETCURSEL, 0, 0)); }

TEST_F(PeerTest, DropDownListChoosesTheModelsItems) {
  DropDownList list{"组合框_搜索类型"};
  for (const char* kind : {"搜索API", "搜索常量", "搜索数据类型"}) list.add(kind);
  list.setCurrentSelection(0);
  list.onSelectionChanged = [&] { events.add("chose " + std::to_string(list.currentSelection())); };
  HWND box = make<NativeDropDown>(list, {10, 10, 150, 24}).hwnd();
  EXPECT_EQ(shownItems(box), (std::vector<std::string>{"搜索API", "搜索常量", "搜索数据类型"}));

  const std::pair<UINT, int> keys[] = {{VK_DOWN, 1}, {VK_END, 2}, {VK_UP, 1}};
  for (auto [key, expected] : keys) {
    pressKey(box, key);
    EXPECT_EQ(events.take(), std::vector<std::string>{"chose " + std::to_string(expected)}) << "key " << key;
    EXPECT_EQ(shownChoice(box), expected);
  }
  list.setCurrentSelection(0);
  EXPECT_EQ(shownChoice(box), 0);
  EXPECT_TRUE(events.take().empty());
}

}  // namespace
}  // namespace platform::win32::testing
