// Edit boxes: typing reaches the model as GBK with one event a change; the program's
// own text raises none; a single-line box with a key handler hears its keys, and Enter
// goes to the handler instead of the dialog manager's default button.
#include "peer_test.h"
#include "platform/win32/text_controls.h"

namespace platform::win32::testing {
namespace {

class EditBoxTest : public PeerTest {
 protected:
  // What the message loop asks of a key before anything else sees it.
  bool keyTakenBeforeTheLoop(HWND hwnd, UINT message, WPARAM key) {
    MSG msg{hwnd, message, key, 1, 0, {}};
    return NativeEdit::preTranslate(msg);
  }

  void listen(EditBox& edit) {
    edit.onContentChanged = [this, &edit] { events.add("changed " + edit.text()); };
    edit.onKeyPressed = [this](int key) { events.add("key " + std::to_string(key)); };
  }
};

TEST_F(EditBoxTest, TypingChangesTheModelsTextAndTheProgramsTextRaisesNothing) {
  EditBox edit{"编辑框_索引", false};
  listen(edit);
  HWND native = make<NativeEdit>(edit, {10, 10, 200, 24}).hwnd();
  typeText(native, L"Ab窗");
  EXPECT_EQ(events.take(), (std::vector<std::string>{"changed A", "changed Ab", "changed Ab窗"}));
  pressKey(native, VK_BACK);
  typeText(native, L"\b");
  EXPECT_EQ(events.take(), std::vector<std::string>{"changed Ab"});

  edit.setText("创建");
  EXPECT_TRUE(events.take().empty());
  EXPECT_EQ(windowText(native), "创建");
}

TEST_F(EditBoxTest, EnterGoesToTheKeyHandlerFirst) {
  EditBox edit{"编辑框_索引", false};
  listen(edit);
  HWND native = make<NativeEdit>(edit, {10, 10, 200, 24}).hwnd();
  EXPECT_TRUE(keyTakenBeforeTheLoop(native, WM_KEYDOWN, VK_RETURN));
  EXPECT_FALSE(keyTakenBeforeTheLoop(native, WM_KEYDOWN, 'A'));
  EXPECT_FALSE(keyTakenBeforeTheLoop(native, WM_CHAR, 'a'));
  EXPECT_EQ(events.take(), (std::vector<std::string>{"key 13", "key 65"}));

  // The read-only multi-line box has no keys of its own.
  EditBox text{"编辑框_声明", true};
  listen(text);
  HWND multiLine = make<NativeEdit>(text, {10, 40, 200, 100}).hwnd();
  EXPECT_FALSE(keyTakenBeforeTheLoop(multiLine, WM_KEYDOWN, VK_RETURN));
  EXPECT_TRUE(events.take().empty());
}

}  // namespace
}  // namespace platform::win32::testing
