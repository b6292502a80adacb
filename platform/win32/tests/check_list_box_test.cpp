// Check list boxes: the boxes show the model's ticks; a click on a box ticks the
// model's item and raises one event, a click on the text only selects; two quick
// clicks on a box are two ticks, not a double-click; the space bar ticks.
#include "list_support.h"
#include "peer_test.h"
#include "platform/win32/display_scale.h"
#include "platform/win32/list_controls.h"

namespace platform::win32::testing {
namespace {

class CheckListBoxTest : public PeerTest {
 protected:
  CheckListBoxTest() {
    for (const char* name : {"CreateWindowExA / 创建窗口", "DestroyWindow / 销毁窗口", "ShowWindow / 显示窗口"}) {
      list.add(name);
    }
    list.setChecked(1, true);
    native = make<NativeList>(list, {10, 10, 300, 200}).hwnd();
    list.onItemSelected = [this] { events.add("selected " + std::to_string(list.currentSelection())); };
    list.onDoubleClicked = [this] { events.add("double-clicked " + std::to_string(list.currentSelection())); };
  }

  POINT box(int pos) const { return {displayScale().px(8), centre(itemRect(native, pos)).y}; }
  POINT label(int pos) const { return {displayScale().px(100), centre(itemRect(native, pos)).y}; }

  // Whether the box of the item shows a tick: any pixel inside its frame that is not the
  // box's background.
  bool shownTicked(int pos) const {
    const int side = displayScale().px(13);
    const POINT middle = box(pos);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    const ShownPicture shown(native);
    int marked = 0;
    for (int y = middle.y - side / 2 + 2; y <= middle.y + side / 2 - 2; ++y) {
      for (int x = middle.x - side / 2 + 2; x <= middle.x + side / 2 - 2; ++x) {
        if (shown.at({x, y}) != background) ++marked;
      }
    }
    return marked > 0;
  }

  // The ticks shown, item by item, beside the model's.
  void expectTicksShown(const char* when) const {
    for (int pos = 0; pos < list.count(); ++pos)
      EXPECT_EQ(shownTicked(pos), list.checked(pos)) << when << ", item " << pos;
  }

  CheckListBox list{"选择列表框_选用API", true};
  HWND native = nullptr;
};

TEST_F(CheckListBoxTest, AClickOnABoxTicksTheModelAndRaisesOneEvent) {
  expectTicksShown("made");
  click(native, box(0));
  EXPECT_TRUE(list.checked(0));
  EXPECT_EQ(events.take(), std::vector<std::string>{"selected 0"});
  expectTicksShown("box 0 clicked");

  click(native, label(2));
  EXPECT_FALSE(list.checked(2));
  EXPECT_EQ(events.take(), std::vector<std::string>{"selected 2"});

  doubleClick(native, box(1));
  EXPECT_TRUE(list.checked(1));
  EXPECT_EQ(events.take(), (std::vector<std::string>{"selected 1", "selected 1"}));
  expectTicksShown("box 1 clicked twice");
}

TEST_F(CheckListBoxTest, TheSpaceBarTicksTheSelectedItemAndSearchesNothing) {
  click(native, label(2));
  events.take();
  pressKey(native, VK_SPACE);
  typeText(native, L" ");
  EXPECT_TRUE(list.checked(2));
  EXPECT_EQ(list.currentSelection(), 2);
  EXPECT_EQ(shownSelection(native), 2);
  EXPECT_TRUE(events.take().empty());
  expectTicksShown("space pressed");
}

TEST_F(CheckListBoxTest, ShowsTheTicksThatTheProgramSets) {
  for (int pos = 0; pos < list.count(); ++pos) list.setChecked(pos, true);
  expectTicksShown("all ticked");
  list.setChecked(1, false);
  expectTicksShown("one cleared");
  list.add("AbortDoc / 中止打印");
  EXPECT_EQ(shownItems(native), modelItems(list));
  expectTicksShown("one added before the ticked ones");
  EXPECT_TRUE(events.take().empty());
}

}  // namespace
}  // namespace platform::win32::testing
