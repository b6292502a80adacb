// List boxes: the native list shows the model's items in the model's order and its
// selection; a click or a key selects the model's item, with its data, and raises one
// event; typing in an edit box selects by prefix, typing in the list by its first letter.
// The list is virtual: thousands of items arrive at once and are drawn from the model.
#include <array>
#include <functional>
#include <map>

#include "list_support.h"
#include "peer_test.h"
#include "platform/win32/list_controls.h"
#include "platform/win32/text_controls.h"

namespace platform::win32::testing {
namespace {

class ListBoxTest : public PeerTest {
 protected:
  ListBoxTest() {
    list.onItemSelected = [this] { events.add("selected " + std::to_string(list.currentSelection())); };
    list.onDoubleClicked = [this] { events.add("double-clicked " + std::to_string(list.currentSelection())); };
  }

  // Adds the names with their numbers as item data; `made` makes the native list
  // halfway, so that it shows items added before and after it exists.
  void addNames(bool made) {
    for (std::size_t i = 0; i < kNames.size(); ++i) {
      if (made && i == kNames.size() / 2) native = make<NativeList>(list, {10, 10, 200, 300}).hwnd();
      list.add(kNames[i], static_cast<std::int32_t>(100 + i));
      dataOf[kNames[i]] = static_cast<std::int32_t>(100 + i);
    }
  }

  static constexpr std::array<const char*, 6> kNames{"TextOutA",   "创建窗口",    "createWindowExA",
                                                     "BeginPaint", "CreateFileA", "删除文件"};
  ListBox list{"列表框_索引", true};
  HWND native = nullptr;
  std::map<std::string, std::int32_t> dataOf;
};

TEST_F(ListBoxTest, ShowsTheModelsItemsInTheModelsOrder) {
  addNames(true);
  struct Step {
    const char* what;
    std::function<void()> change;
  };
  const Step steps[] = {
      {"items added before and after the window", [] {}}, {"one more, sorted in", [&] { list.add("AbortDoc"); }},
      {"the second erased", [&] { list.erase(1); }},      {"the last erased", [&] { list.erase(list.count() - 1); }},
      {"all removed", [&] { list.removeAll(); }},         {"one added to the empty list", [&] { list.add("GetDC"); }},
  };
  for (const Step& step : steps) {
    step.change();
    EXPECT_EQ(shownItems(native), modelItems(list)) << step.what;
  }
  EXPECT_TRUE(events.take().empty());
}

TEST_F(ListBoxTest, AClickSelectsTheModelsItemWithItsDataAndRaisesOneEvent) {
  addNames(true);
  for (int pos = list.count() - 1; pos >= 0; --pos) {
    click(native, centre(itemRect(native, pos)));
    EXPECT_EQ(events.take(), std::vector<std::string>{"selected " + std::to_string(pos)});
    EXPECT_EQ(list.itemData(pos), dataOf.at(list.itemText(pos))) << list.itemText(pos);
  }
  doubleClick(native, centre(itemRect(native, 2)));
  EXPECT_EQ(events.take(), (std::vector<std::string>{"selected 2", "double-clicked 2"}));
}

TEST_F(ListBoxTest, ArrowKeysMoveTheModelsSelection) {
  addNames(true);
  click(native, centre(itemRect(native, 1)));
  events.take();
  const int last = list.count() - 1;
  const std::pair<UINT, int> steps[] = {{VK_DOWN, 2}, {VK_UP, 1}, {VK_END, last}, {VK_HOME, 0}};
  for (auto [key, expected] : steps) {
    pressKey(native, key);
    EXPECT_EQ(events.take(), std::vector<std::string>{"selected " + std::to_string(expected)}) << "key " << key;
    EXPECT_EQ(list.currentSelection(), expected);
    EXPECT_EQ(shownSelection(native), expected);
  }
}

TEST_F(ListBoxTest, ShowsTheSelectionThatTheProgramSetsWithoutAnEvent) {
  addNames(true);
  struct Step {
    const char* what;
    std::function<void()> change;
  };
  const Step steps[] = {
      {"set", [&] { list.setCurrentSelection(2); }},
      {"an item sorted in before it", [&] { list.add("AAA"); }},
      {"an item sorted in after it", [&] { list.add("zzz"); }},
      {"by prefix, letter case ignored", [&] { EXPECT_TRUE(list.selectByPrefix("CREATE")); }},
      {"no item with the prefix", [&] { EXPECT_FALSE(list.selectByPrefix("无此")); }},
      {"by a Chinese prefix", [&] { EXPECT_TRUE(list.selectByPrefix("删除")); }},
      {"an item before it erased", [&] { list.erase(0); }},
      {"the selected item erased", [&] { list.erase(list.currentSelection()); }},
  };
  for (const Step& step : steps) {
    step.change();
    EXPECT_EQ(shownSelection(native), list.currentSelection()) << step.what;
  }
  EXPECT_EQ(list.currentSelection(), -1);
  EXPECT_TRUE(events.take().empty());
}

TEST_F(ListBoxTest, TypingInTheEditBoxSelectsTheFirstItemWithThatPrefix) {
  addNames(true);
  EditBox edit{"编辑框_索引", false};
  edit.onContentChanged = [&] {
    events.add("typed " + edit.text());
    list.selectByPrefix(edit.text());
  };
  HWND editBox = make<NativeEdit>(edit, {10, 320, 200, 24}).hwnd();

  typeText(editBox, L"cr");
  EXPECT_EQ(events.take(), (std::vector<std::string>{"typed c", "typed cr"}));
  EXPECT_EQ(shownSelectedText(native), "CreateFileA");
  typeText(editBox, L"eatew");
  EXPECT_EQ(events.take().size(), 5u);
  EXPECT_EQ(shownSelectedText(native), "createWindowExA");

  // The program's own text raises nothing; typed Chinese reaches the model as GBK.
  edit.setText("");
  EXPECT_TRUE(events.take().empty());
  typeText(editBox, L"删");
  EXPECT_EQ(events.take(), std::vector<std::string>{"typed 删"});
  EXPECT_EQ(shownSelectedText(native), "删除文件");
}

TEST_F(ListBoxTest, ACharacterTypedInTheListSelectsTheNextItemBeginningWithItAndRaisesOneEvent) {
  addNames(true);  // BeginPaint, CreateFileA, createWindowExA, TextOutA, 创建窗口, 删除文件
  SetFocus(native);
  const std::pair<const wchar_t*, int> steps[] = {
      {L"c", 1}, {L"C", 2}, {L"c", 1}, {L"t", 3}, {L"删", 5}, {L"b", 0},
  };
  for (auto [typed, expected] : steps) {
    typeText(native, typed);
    EXPECT_EQ(events.take(), std::vector<std::string>{"selected " + std::to_string(expected)}) << narrow(typed);
    EXPECT_EQ(shownSelection(native), expected);
  }
  typeText(native, L"x");
  EXPECT_TRUE(events.take().empty());
  EXPECT_EQ(shownSelection(native), 0);
}

TEST_F(ListBoxTest, ThousandsOfItemsArriveAtOnceAndAreDrawnFromTheModel) {
  native = make<NativeList>(list, {10, 10, 200, 300}).hwnd();
  std::vector<ListItem> items;
  for (int n = 6000; n >= 1; --n) items.push_back({"Name" + std::to_string(n), n});
  list.setItems(std::move(items));
  ASSERT_EQ(SendMessageW(native, LB_GETCOUNT, 0, 0), 6000);
  EXPECT_EQ(list.itemText(0), "Name1");
  EXPECT_EQ(list.itemData(5999), 999);  // "Name999" sorts last

  const std::vector<std::string> shown = shownItems(native);
  EXPECT_EQ(shown, modelItems(list));
  list.setCurrentSelection(1);
  EXPECT_EQ(shownSelectedText(native), "Name10");

  // The selected row in the highlight colour, the others with their text on the window's.
  const ShownPicture picture(native);
  const RECT selected = itemRect(native, 1), plain = itemRect(native, 2);
  EXPECT_EQ(picture.at({selected.right - 4, centre(selected).y}), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(picture.at({plain.right - 4, centre(plain).y}), GetSysColor(COLOR_WINDOW));
  int inked = 0;
  for (int x = plain.left; x < plain.left + 60; ++x) {
    for (int y = plain.top; y < plain.bottom; ++y) inked += picture.at({x, y}) != GetSysColor(COLOR_WINDOW);
  }
  EXPECT_GT(inked, 20) << "no text drawn in row 2";

  // Another fill replaces them all; nothing stays selected.
  list.setItems({{"one", 1}});
  EXPECT_EQ(shownItems(native), std::vector<std::string>{"one"});
  EXPECT_EQ(shownSelection(native), -1);
  EXPECT_TRUE(events.take().empty());
}

}  // namespace
}  // namespace platform::win32::testing
