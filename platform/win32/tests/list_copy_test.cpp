// The chosen API list's copy: Ctrl+C (and Ctrl+Insert) and the context menu's item raise
// the model's events; a right click selects the item under the pointer first.
#include "list_support.h"
#include "peer_test.h"
#include "platform/win32/list_controls.h"

namespace platform::win32::testing {
namespace {

class ListCopyTest : public PeerTest {
 protected:
  ListCopyTest() {
    for (const char* name : {"CreateWindowExA / 创建窗口", "DestroyWindow / 销毁窗口", "ShowWindow / 显示窗口"}) {
      list.add(name);
    }
    list.contextMenu = {"复制为易语言代码(&C)\tCtrl+C"};
    native = make<NativeList>(list, {10, 10, 300, 200}).hwnd();
    list.onItemSelected = [this] { events.add("selected " + std::to_string(list.currentSelection())); };
    list.onContextMenuChosen = [this](int item) { events.add("menu item " + std::to_string(item)); };
    list.onCopyKeyPressed = [this] { events.add("copy key"); };
  }

  // The key pressed with Ctrl held, as the thread's key state says.
  void pressWithCtrl(UINT key) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    pressKey(native, key);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  }

  // The menu's loop takes the keys waiting in the queue: the first item, chosen. A timer
  // ends a menu that never got them, so that a fault fails the test instead of hanging it.
  static void chooseTheFirstMenuItemOnceOpen(HWND to) {
    PostMessageW(to, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(to, WM_KEYDOWN, VK_RETURN, 0);
    SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      EndMenu();
    });
  }

  CheckListBox list{"选择列表框_选用API", true};
  HWND native = nullptr;
};

TEST_F(ListCopyTest, CtrlCAndCtrlInsertRaiseTheCopyEventAndCAloneDoesNot) {
  pressWithCtrl('C');
  pressWithCtrl(VK_INSERT);
  EXPECT_EQ(events.take(), (std::vector<std::string>{"copy key", "copy key"}));
  pressKey(native, 'C');
  EXPECT_TRUE(events.take().empty());
}

TEST_F(ListCopyTest, ARightClickSelectsTheItemThenItsMenuRaisesTheChosenItem) {
  const POINT at = centre(itemRect(native, 2));
  chooseTheFirstMenuItemOnceOpen(native);
  SendMessageW(native, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
  SendMessageW(native, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  settle();
  EXPECT_EQ(events.take(), (std::vector<std::string>{"selected 2", "menu item 0"}));
  EXPECT_EQ(shownSelection(native), 2);
}

TEST_F(ListCopyTest, TheMenuKeyOpensTheMenuBelowTheSelection) {
  list.setCurrentSelection(1);
  chooseTheFirstMenuItemOnceOpen(native);
  SendMessageW(native, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(native), MAKELPARAM(-1, -1));
  settle();
  EXPECT_EQ(events.take(), std::vector<std::string>{"menu item 0"});
}

}  // namespace
}  // namespace platform::win32::testing
