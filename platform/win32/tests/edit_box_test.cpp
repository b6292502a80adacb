// Edit boxes: typing reaches the model as GBK with one event a change; the program's
// own text raises none; a single-line box with a key handler hears its keys, and Enter
// goes to the handler instead of the dialog manager's default button. A hidden box shows
// and reads the model's last text as if it had been given it at once.
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

TEST_F(EditBoxTest, AHiddenBoxReadsAndShowsTheModelsLastText) {
  const std::string text = ".DLL命令 消息广播_, 整数型\r\n    .参数 标志, 整数型\r\n    .参数 接收者, 整数型, 传址";
  EditBox reference{"编辑框_一直可见", true};
  EditBox hiddenFirst{"编辑框_先隐藏", true};
  hiddenFirst.setVisible(false);
  listen(hiddenFirst);
  HWND shownAllAlong = make<NativeEdit>(reference, {10, 10, 300, 80}).hwnd();
  HWND hidden = make<NativeEdit>(hiddenFirst, {10, 100, 300, 80}).hwnd();
  const ShownPicture blank(shownAllAlong);

  hiddenFirst.setText("旧的");
  hiddenFirst.setText(text);
  EXPECT_EQ(windowText(hidden), text);
  EXPECT_EQ(SendMessageW(hidden, EM_GETLINECOUNT, 0, 0), 3);

  hiddenFirst.setText("旧的");
  EXPECT_EQ(windowText(hidden), "旧的");
  hiddenFirst.setText(text);
  reference.setText(text);
  hiddenFirst.setVisible(true);
  const ShownPicture shown(hidden);
  EXPECT_TRUE(shown == ShownPicture(shownAllAlong));
  EXPECT_FALSE(shown == blank);
  EXPECT_TRUE(events.take().empty());
}

}  // namespace
}  // namespace platform::win32::testing
