#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/wizard_app.h"
#include "base/sort_order.h"
#include "library/declaration_lookup.h"
#include "navigation/api_index.h"
#include "platform/headless/headless_ui.h"
#include "tests/headless_wizard.h"
#include "tests/shared_library.h"

namespace {

using platform::headless::HeadlessUi;

class ApiIndexTest : public ::testing::Test, protected HeadlessWizard {
 protected:
  platform::ListBox& index = w.列表框_索引;

  void SetUp() override {
    start();
    w.选择夹_目录区.userChangedPage(2);
  }

  int positionOf(std::int32_t entry) const {
    for (int pos = 0; pos < index.count(); ++pos) {
      if (index.itemData(pos) == entry) return pos;
    }
    return -1;
  }
  gbk::Text declarationOf(std::int32_t entry) const {
    library::LookupLists scratch;
    std::optional<library::FoundDllCommand> found =
        library::lookUpDllCommand(sharedLibrary().texts, entryAt(entry).chineseName, scratch);
    return found ? found->declarationText : "";
  }
  std::int32_t selectedEntry() const { return index.itemData(index.currentSelection()); }
  void type(std::string_view text) { w.编辑框_索引.userTyped(text); }
};

// --- Fill -------------------------------------------------------------------------

TEST_F(ApiIndexTest, StartUpListsChineseNamesFirstThenGeneratedEnglishNamesEachInSortOrder) {
  std::set<std::int32_t> expected;
  for (std::int32_t n = 1; n <= catalog().size(); ++n) {
    if (catalog().entry(n)) expected.insert(n);
  }
  ASSERT_EQ(index.count(), static_cast<int>(expected.size()));
  std::set<std::int32_t> listed;
  for (int pos = 0; pos < index.count(); ++pos) {
    listed.insert(index.itemData(pos));
    EXPECT_EQ(index.itemText(pos), entryAt(index.itemData(pos)).shownName(true)) << pos;
    if (pos == 0) continue;
    const bool generated = entryAt(index.itemData(pos)).generated();
    const bool afterGenerated = entryAt(index.itemData(pos - 1)).generated();
    EXPECT_TRUE(generated || !afterGenerated) << "a Chinese name after an English one at " << pos;
    if (generated == afterGenerated) {
      EXPECT_FALSE(base::sortsBefore(index.itemText(pos), index.itemText(pos - 1))) << pos;
    }
  }
  EXPECT_EQ(listed, expected);
  EXPECT_EQ(index.currentSelection(), -1);
}

TEST_F(ApiIndexTest, EnglishNamesListEqualNamesAsSeparateEntries) {
  w.单选框_英文索引.userClicked();
  for (int pos = 0; pos < index.count(); ++pos)
    EXPECT_EQ(index.itemText(pos), entryAt(index.itemData(pos)).englishName);
  std::size_t inCatalog = 0;
  for (std::int32_t n = 1; n <= catalog().size(); ++n) inCatalog += entryAt(n).englishName == "RtlMoveMemory";
  std::set<std::int32_t> entries;
  for (int pos = 0; pos < index.count(); ++pos) {
    if (index.itemText(pos) == "RtlMoveMemory") entries.insert(index.itemData(pos));
  }
  EXPECT_GT(inCatalog, 1u);
  EXPECT_EQ(entries.size(), inCatalog);
}

TEST_F(ApiIndexTest, LanguageSwitchesKeepTheSelectedEntry) {
  std::int32_t entry = entryOf("GetMenuItemInfoA");
  index.userSelected(positionOf(entry));
  w.单选框_英文索引.userClicked();
  EXPECT_EQ(selectedEntry(), entry);
  EXPECT_EQ(index.itemText(index.currentSelection()), "GetMenuItemInfoA");
  w.单选框_中文索引.userClicked();
  EXPECT_EQ(selectedEntry(), entry);
  EXPECT_EQ(index.itemText(index.currentSelection()), "取菜单条目信息_");
  // A click on the button already checked refills too, and keeps the entry.
  w.单选框_中文索引.userClicked();
  EXPECT_EQ(selectedEntry(), entry);
}

// --- Incremental find -------------------------------------------------------------

TEST_F(ApiIndexTest, FindSelectsTheFirstNameWithThePrefixInAnyCaseAndShowsIt) {
  w.单选框_英文索引.userClicked();
  for (std::string_view typed : {"getmenuiteminfo", "GETMENUITEMINFO", "gEtMeNuItEmInFo"}) {
    index.setCurrentSelection(-1);
    type(typed);
    EXPECT_EQ(index.itemText(index.currentSelection()), "GetMenuItemInfoA") << typed;
  }
  EXPECT_EQ(w.状态条.parts()[0].text, "API：");
  EXPECT_EQ(w.状态条.parts()[0].width, w.画板1.measureText("API：").width + 5);
  EXPECT_EQ(w.状态条.parts()[1].text, "GetMenuItemInfoA");
  EXPECT_TRUE(w.编辑框_文本形式.text().starts_with(declarationOf(entryOf("GetMenuItemInfoA"))));
  EXPECT_EQ(ui.focused(), &w.编辑框_索引);
  EXPECT_FALSE(w.画板1.visible());

  // The first in the list's order, whatever the catalog's order.
  type("getmenu");
  int first = index.currentSelection();
  for (int pos = 0; pos < first; ++pos) EXPECT_FALSE(gbk::startsWithIgnoringAsciiCase(index.itemText(pos), "getmenu"));
  EXPECT_TRUE(gbk::startsWithIgnoringAsciiCase(index.itemText(first), "getmenu"));
}

TEST_F(ApiIndexTest, TextThatNothingBeginsWithKeepsAndShowsTheOldSelection) {
  type("取菜单条目信");
  std::int32_t entry = selectedEntry();
  w.编辑框_文本形式.setText("");
  w.状态条.setPartText(1, "");
  type("取菜单条目信zz");
  EXPECT_EQ(selectedEntry(), entry);
  EXPECT_EQ(w.状态条.parts()[1].text, "未找到：取菜单条目信zz");
  EXPECT_TRUE(w.编辑框_文本形式.text().starts_with(declarationOf(entry)));
  EXPECT_EQ(ui.focused(), &w.编辑框_索引);
}

TEST_F(ApiIndexTest, TextThatNothingBeginsWithShowsNothingWithoutASelection) {
  w.编辑框_文本形式.setText("before");
  w.状态条.setPartText(1, "before");
  type("zzzz-no-such-name");
  EXPECT_EQ(index.currentSelection(), -1);
  EXPECT_EQ(w.编辑框_文本形式.text(), "before");
  EXPECT_EQ(w.状态条.parts()[1].text, "未找到：zzzz-no-such-name");
  EXPECT_EQ(ui.focused(), &w.编辑框_索引);
}

// --- Pinyin find -------------------------------------------------------------------

TEST_F(ApiIndexTest, ChineseNamesAreFoundByTheInitialsOfTheirPinyin) {
  type("qcdtmxx");
  EXPECT_EQ(selectedEntry(), entryOf("GetMenuItemInfoA"));
  EXPECT_EQ(w.状态条.parts()[0].text, "API：");
  EXPECT_EQ(w.状态条.parts()[1].text, "qcdtmxx → 取菜单条目信息_");
  EXPECT_TRUE(w.编辑框_文本形式.text().starts_with(declarationOf(entryOf("GetMenuItemInfoA"))));
  EXPECT_EQ(ui.focused(), &w.编辑框_索引);

  // The first in the list's order: 取菜单条目标识_ sorts before the other 取菜单条目… names.
  type("QCDTM");
  EXPECT_EQ(index.itemText(index.currentSelection()), "取菜单条目标识_");
  EXPECT_EQ(w.状态条.parts()[1].text, "QCDTM → 取菜单条目标识_");
}

TEST_F(ApiIndexTest, ChineseNamesAreFoundByTheirSyllablesWhenNoInitialsMatch) {
  type("qucai");
  EXPECT_TRUE(index.itemText(index.currentSelection()).starts_with("取菜单"));
  type("qucaidantiaomux");
  EXPECT_EQ(selectedEntry(), entryOf("GetMenuItemInfoA"));
  EXPECT_EQ(w.状态条.parts()[1].text, "qucaidantiaomux → 取菜单条目信息_");
  // ASCII letters of a name match themselves, by initials and by syllables.
  type("qwindows");
  EXPECT_EQ(index.itemText(index.currentSelection()), "取Windows目录_");
  type("qumidishuchushebeishu");
  EXPECT_EQ(index.itemText(index.currentSelection()), "取MIDI输出设备数_");
}

TEST_F(ApiIndexTest, APolyphoneIsFoundByEachOfItsReadings) {
  // 重 reads zhòng first, 调 diào first: the other readings find them too.
  type("chonghuachuang");
  EXPECT_EQ(index.itemText(index.currentSelection()), "重画窗口_");
  type("zhonghuachuang");
  EXPECT_EQ(index.itemText(index.currentSelection()), "重画窗口_");
  type("quyansetiao");
  EXPECT_EQ(index.itemText(index.currentSelection()), "取颜色调整_");
  type("qystz");
  EXPECT_EQ(index.itemText(index.currentSelection()), "取颜色调整_");
}

TEST_F(ApiIndexTest, LettersThatNoPinyinSpellsKeepTheOldSelection) {
  type("qcdtmxx");
  std::int32_t entry = selectedEntry();
  type("qcdtmxxq");
  EXPECT_EQ(selectedEntry(), entry);
  EXPECT_EQ(w.状态条.parts()[1].text, "未找到：qcdtmxxq");  // shown again, the nearest only
  // Only letters go to the pinyin.
  type("qcd1");
  EXPECT_EQ(selectedEntry(), entry);
}

TEST_F(ApiIndexTest, ChineseNamesComeBeforePinyinAndPinyinBeforeGeneratedEnglishNames) {
  // "qu" begins QueryDosDevice, listed after every Chinese name, and spells 区 in pinyin.
  ASSERT_GE(index.items().findPrefix("qu"), catalog().handWrittenCount());
  type("qu");
  EXPECT_EQ(index.itemText(index.currentSelection()), "区域是否相同_");
  EXPECT_EQ(w.状态条.parts()[1].text, "qu → 区域是否相同_");
  // A Chinese name that holds the letters themselves wins over the pinyin of another.
  type("取W");
  EXPECT_EQ(index.itemText(index.currentSelection()), "取Windows目录_");
  // Letters that spell no Chinese name find the English one.
  type("querydos");
  EXPECT_TRUE(index.itemText(index.currentSelection()).starts_with("QueryDosDevice"));
  EXPECT_EQ(w.状态条.parts()[1].text, index.itemText(index.currentSelection()));
}

TEST_F(ApiIndexTest, EnglishNamesAreNotFoundByPinyin) {
  w.单选框_英文索引.userClicked();
  type("qcdtmxx");
  EXPECT_EQ(index.currentSelection(), -1);
  type("getmenuiteminfo");
  type("qucaidan");
  EXPECT_EQ(index.itemText(index.currentSelection()), "GetMenuItemInfoA");
}

// --- Adding -----------------------------------------------------------------------

TEST_F(ApiIndexTest, EnterAddsTheSelectedEntryNotTheTypedText) {
  w.选择夹_选用区.userChangedPage(1);
  type("abortpath");  // Chinese names are listed (AbortPath has no W form): nothing matches, nothing selected
  w.编辑框_索引.userPressedKey(navigation::kEnterKey);
  EXPECT_EQ(w.选择夹_选用区.currentPage(), 0);
  EXPECT_EQ(w.按钮_导入.text(), "导入(&Z)");
  EXPECT_EQ(w.选择列表框_选用API.count(), 0);

  w.单选框_英文索引.userClicked();
  type("getmenuiteminfo");
  w.编辑框_索引.userPressedKey('A');
  EXPECT_EQ(w.选择列表框_选用API.count(), 0);
  w.编辑框_索引.userPressedKey(navigation::kEnterKey);
  ASSERT_EQ(w.选择列表框_选用API.count(), 1);
  EXPECT_EQ(w.选择列表框_选用API.itemText(0), "GetMenuItemInfoA / 取菜单条目信息_");
  EXPECT_EQ(w.选择列表框_选用API.itemData(0), entryOf("GetMenuItemInfoA"));
  EXPECT_FALSE(w.选择列表框_选用API.checked(0));
}

TEST_F(ApiIndexTest, DoubleClickAddsOnceAndAgainOnlySwitchesThePage) {
  int pos = positionOf(entryOf("GetMenuItemInfoA"));
  index.userDoubleClicked(pos);
  w.选择列表框_选用API.setChecked(0, true);
  w.选择夹_选用区.userChangedPage(1);
  index.userDoubleClicked(pos);
  EXPECT_EQ(w.选择夹_选用区.currentPage(), 0);
  ASSERT_EQ(w.选择列表框_选用API.count(), 1);
  EXPECT_TRUE(w.选择列表框_选用API.checked(0));
}

}  // namespace
