// Messages that any program can send to the wizard's windows: a list box's questions for
// its items, which screen readers and automation tools ask, and the grid's note to itself,
// which changes nothing however often it comes.
#include <string>
#include <vector>

#include "list_support.h"
#include "peer_test.h"
#include "platform/win32/display_scale.h"
#include "platform/win32/grid.h"
#include "platform/win32/handles.h"
#include "platform/win32/list_controls.h"

namespace platform::win32::testing {
namespace {

// Every list box reads as a list box: LB_GETCOUNT, LB_GETTEXTLEN and LB_GETTEXT give the
// model's items, after a fill in one batch, an insert and an erase, and LB_ERR outside.
class ListTextsTest : public PeerTest {
 protected:
  std::wstring textAt(HWND native, int pos) {
    const LRESULT length = SendMessageW(native, LB_GETTEXTLEN, pos, 0);
    if (length == LB_ERR) return L"<LB_ERR>";
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(native, LB_GETTEXT, pos, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text;
  }
};

TEST_F(ListTextsTest, ListsAnswerTheTextMessagesWithTheModelsItems) {
  ListBox list{"列表框_索引", true};
  CheckListBox checks{"选择列表框_选用API", true};
  std::vector<ListItem> many;
  for (int i = 0; i < 3000; ++i) many.push_back({"名称" + std::to_string(i), i});
  list.setItemsInOrder(std::move(many));
  HWND native = make<NativeList>(list, {10, 10, 200, 300}).hwnd();
  HWND nativeChecks = make<NativeList>(checks, {220, 10, 200, 300}).hwnd();
  checks.add("GetMenuItemInfoA / 取菜单条目信息_");
  checks.add("数据类型：菜单条目结构_");
  EXPECT_EQ(SendMessageW(native, LB_GETCOUNT, 0, 0), 3000);
  EXPECT_EQ(textAt(native, 0), L"名称0");
  EXPECT_EQ(textAt(native, 2999), L"名称2999");
  EXPECT_EQ(textAt(native, 3000), L"<LB_ERR>");
  list.erase(0);
  list.add("A", 7);
  EXPECT_EQ(textAt(native, 0), L"A");
  EXPECT_EQ(shownItems(native), modelItems(list));
  EXPECT_EQ(shownItems(nativeChecks),
            (std::vector<std::string>{"GetMenuItemInfoA / 取菜单条目信息_", "数据类型：菜单条目结构_"}));
  list.removeAll();
  EXPECT_EQ(SendMessageW(native, LB_GETCOUNT, 0, 0), 0);
}

// The grid's own message, which another program can post too: however many, with whatever
// values, the grid keeps its picture.
class GridMessagesTest : public PeerTest {
 protected:
  Grid grid{"高级表格1", displayScale()};
};

TEST_F(GridMessagesTest, AFloodOfTheGridsOwnMessageChangesNothing) {
  HWND shown = make<NativeGrid>(grid, {10, 10, 300, 200}).hwnd();
  grid.setRowCount(40);
  grid.setColumnCount(3);
  grid.setCellText(0, 0, "声明");
  settle();
  const ShownPicture before(shown);
  for (int i = 0; i < 10000; ++i) PostMessageW(shown, WM_APP + 1, static_cast<WPARAM>(-i), LPARAM{i} * 0x10001);
  settle();
  EXPECT_EQ(ShownPicture(shown), before);
}

}  // namespace
}  // namespace platform::win32::testing
