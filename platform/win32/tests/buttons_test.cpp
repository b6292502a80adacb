// Buttons: a click raises the model's event once; radio buttons of one group show the
// model's checks, which a click moves and the program sets without an event.
#include "platform/win32/buttons.h"
#include "peer_test.h"

namespace platform::win32::testing {
namespace {

class ButtonsTest : public PeerTest {
 protected:
  ButtonsTest() {
    for (RadioButton* radio : group) {
      radio->joinGroup(&group);
      radio->onClicked = [this, radio] { events.add("clicked " + radio->text()); };
    }
    chinese.setText("中文");
    english.setText("英文");
    chinese.setChecked(true);
    chineseButton = make<NativeRadio>(chinese, {10, 10, 100, 20}, nullptr, true).hwnd();
    englishButton = make<NativeRadio>(english, {10, 40, 100, 20}, nullptr, false).hwnd();
  }

  // The checks shown, in the group's order, beside the model's.
  void expectChecksShown(const char* when) const {
    const std::pair<HWND, const RadioButton*> shown[] = {{chineseButton, &chinese}, {englishButton, &english}};
    for (auto [button, radio] : shown) {
      EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED, radio->checked())
          << when << ", " << radio->text();
    }
  }

  RadioButton chinese{"单选框_中文索引"}, english{"单选框_英文索引"};
  std::vector<RadioButton*> group{&chinese, &english};
  HWND chineseButton = nullptr, englishButton = nullptr;
};

TEST_F(ButtonsTest, AClickOnARadioButtonChecksItAloneAndRaisesOneEvent) {
  expectChecksShown("made");
  click(englishButton, {5, 5});
  EXPECT_EQ(events.take(), std::vector<std::string>{"clicked 英文"});
  EXPECT_TRUE(english.checked());
  EXPECT_FALSE(chinese.checked());
  expectChecksShown("英文 clicked");
  click(englishButton, {5, 5});
  EXPECT_EQ(events.take(), std::vector<std::string>{"clicked 英文"});
  expectChecksShown("英文 clicked again");

  chinese.setChecked(true);
  EXPECT_TRUE(events.take().empty());
  expectChecksShown("the program checked 中文");
}

TEST_F(ButtonsTest, AClickOnAButtonRaisesOneEvent) {
  Button button{"按钮_导入"};
  button.setText("导入(&I)");
  button.onClicked = [this] { events.add("clicked"); };
  HWND native = make<NativeButton>(button, {10, 70, 80, 24}).hwnd();
  click(native, {40, 12});
  EXPECT_EQ(events.take(), std::vector<std::string>{"clicked"});
}

}  // namespace
}  // namespace platform::win32::testing
