#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/wizard_app.h"
#include "examples/example_search.h"
#include "library/constants.h"
#include "library/declaration_lookup.h"
#include "library/glossary.h"
#include "navigation/api_index.h"
#include "navigation/search.h"
#include "platform/headless/headless_ui.h"
#include "tests/headless_wizard.h"
#include "tests/shared_library.h"

namespace {

using platform::headless::HeadlessUi;

class SearchTest : public ::testing::Test, protected HeadlessWizard {
 protected:
  platform::ListBox& hits = w.列表框_搜索结果;

  void SetUp() override {
    start();
    w.选择夹_目录区.userChangedPage(3);
  }

  // The entries of at least three fields whose fields pass `test`.
  template <typename Test>
  std::set<std::int32_t> entriesWhere(Test test) const {
    std::set<std::int32_t> out;
    for (std::int32_t n = 1; n <= catalog().size(); ++n) {
      const library::CatalogEntry* entry = catalog().entry(n);
      if (entry && test(*entry)) out.insert(n);
    }
    return out;
  }
  std::set<std::int32_t> listed() const {
    std::set<std::int32_t> out;
    for (int pos = 0; pos < hits.count(); ++pos) out.insert(hits.itemData(pos));
    return out;
  }
  int positionOf(std::int32_t entry) const {
    for (int pos = 0; pos < hits.count(); ++pos) {
      if (hits.itemData(pos) == entry) return pos;
    }
    return -1;
  }
  void search(std::string_view text) {
    w.编辑框_搜索内容.userTyped(text);
    w.按钮_搜索.userClicked();
  }
};

// --- API search -------------------------------------------------------------------

TEST_F(SearchTest, EmptyTextListsEveryEntryByChineseName) {
  search("");
  EXPECT_TRUE(app.searchResultsAreApis);
  EXPECT_EQ(listed(), entriesWhere([](auto&) { return true; }));
  EXPECT_EQ(hits.count(), static_cast<int>(listed().size()));
  for (int pos = 0; pos < hits.count(); ++pos)
    EXPECT_EQ(hits.itemText(pos), entryAt(hits.itemData(pos)).shownName(true));
}

TEST_F(SearchTest, CategoryTextFindsTheWholeCategory) {
  search("菜单函数");
  std::set<std::int32_t> menus = entriesWhere([](auto& e) { return e.category == "菜单函数"; });
  EXPECT_FALSE(menus.empty());
  EXPECT_EQ(listed(), menus);
}

TEST_F(SearchTest, LowerCaseFindsMixedCaseAndTextMaySpanAComma) {
  std::int32_t entry = entryOf("GetMenuItemInfoA");
  for (std::string_view text : {"getmenuiteminfoa", "MENUITEMINFOA,菜单", "ItemInfoA,菜单函数,取"}) {
    search(text);
    EXPECT_TRUE(listed().contains(entry)) << text;
  }
  // Data type names are part of the line too.
  search("菜单条目结构_");
  EXPECT_EQ(listed(), entriesWhere([](auto& e) {
              return std::find(e.dataTypeNames.begin(), e.dataTypeNames.end(), "菜单条目结构_") !=
                         e.dataTypeNames.end() ||
                     gbk::contains(e.chineseName, "菜单条目结构_");
            }));
}

TEST_F(SearchTest, AConstantsNameFindsTheCommandsThatNameItThemselvesOrThroughTheirDataTypes) {
  search("miim_string");
  std::set<std::int32_t> found = listed();
  EXPECT_TRUE(found.contains(entryOf("GetMenuItemInfoA")));  // through 菜单条目结构_
  EXPECT_FALSE(found.contains(entryOf("GetMenuItemCount")));
  for (std::int32_t n : found) {
    library::LookupLists lists;
    std::optional<library::FoundDllCommand> command =
        library::lookUpDllCommand(sharedLibrary().texts, entryAt(n).chineseName, lists);
    ASSERT_TRUE(command);
    gbk::Text texts = command->declarationText;
    for (const gbk::Text& type : lists.neededDataTypeTexts) texts += "\r\n" + type;
    EXPECT_TRUE(library::namesWord(texts, "MIIM_STRING")) << entryAt(n).chineseName;
  }
}

TEST_F(SearchTest, AFamilyThatAParameterTakesFindsItsCommandByAnyMember) {
  for (std::string_view name : {"LWA_ALPHA", "lwa_colorkey"}) {
    search(name);
    EXPECT_TRUE(listed().contains(entryOf("SetLayeredWindowAttributes"))) << name;
  }
}

TEST_F(SearchTest, NoHitsLeaveTheListEmpty) {
  search("GetMenuItemInfoA");
  search("no such text anywhere");
  EXPECT_EQ(hits.count(), 0);
  EXPECT_EQ(w.状态条.parts()[1].text, "未找到：no such text anywhere");
}

TEST_F(SearchTest, EnterInTheSearchBoxSearchesAndOtherKeysDoNot) {
  w.编辑框_搜索内容.userTyped("菜单函数");
  w.编辑框_搜索内容.userPressedKey('X');
  EXPECT_EQ(hits.count(), 0);
  w.编辑框_搜索内容.userPressedKey(navigation::kEnterKey);
  EXPECT_GT(hits.count(), 0);
}

TEST_F(SearchTest, EnglishDisplayListsEnglishNames) {
  w.组合框_搜索API显示.userChose(1);
  search("RtlMoveMemory");
  EXPECT_EQ(listed(), entriesWhere([](auto& e) { return e.englishName == "RtlMoveMemory"; }));
  for (int pos = 0; pos < hits.count(); ++pos) EXPECT_EQ(hits.itemText(pos), "RtlMoveMemory");
}

// --- Pinyin ---------------------------------------------------------------------

TEST_F(SearchTest, LettersThatNoLineContainsFindChineseNamesByPinyinInitials) {
  search("cdtm");  // 菜单条目, anywhere in the name
  std::set<std::int32_t> found = listed();
  EXPECT_TRUE(found.contains(entryOf("GetMenuItemInfoA")));
  EXPECT_TRUE(found.contains(entryOf("GetMenuItemCount")));
  for (std::int32_t n : found) EXPECT_TRUE(gbk::contains(entryAt(n).chineseName, "菜单条目")) << entryAt(n).chineseName;
  // Listed the same way, under the name that the display choice picks.
  w.组合框_搜索API显示.userChose(1);
  search("CDTM");
  EXPECT_EQ(listed(), found);
  EXPECT_TRUE(positionOf(entryOf("GetMenuItemInfoA")) >= 0 &&
              hits.itemText(positionOf(entryOf("GetMenuItemInfoA"))) == "GetMenuItemInfoA");
}

TEST_F(SearchTest, SyllablesFindChineseNamesWhenNoInitialsDo) {
  search("caidan");
  EXPECT_EQ(listed(), entriesWhere([](auto& e) { return gbk::contains(e.chineseName, "菜单"); }));
  search("tiaomux");  // the letters may end inside a syllable
  EXPECT_TRUE(listed().contains(entryOf("GetMenuItemInfoA")));
  EXPECT_FALSE(listed().contains(entryOf("GetMenuItemCount")));
}

TEST_F(SearchTest, ASearchThatFindsLinesListsNoPinyinHits) {
  // "dc" is in some English names and would be the initials of many Chinese ones.
  search("dc");
  std::vector<std::int32_t> designed = navigation::findApis(catalog(), "dc");
  EXPECT_FALSE(designed.empty());
  std::set<std::int32_t> first;  // the hits on a name, before those in descriptions
  for (int pos = 0; pos < static_cast<int>(designed.size()); ++pos) first.insert(hits.itemData(pos));
  EXPECT_EQ(first, std::set<std::int32_t>(designed.begin(), designed.end()));
  std::vector<std::int32_t> byPinyin = navigation::findApisByPinyin(catalog(), "dc");
  EXPECT_TRUE(std::any_of(byPinyin.begin(), byPinyin.end(), [&](std::int32_t n) { return !listed().contains(n); }));
  // A text that is not only letters tries no pinyin.
  search("cdtm1");
  EXPECT_EQ(hits.count(), 0);
}

// --- Relabel ----------------------------------------------------------------------

TEST_F(SearchTest, RelabelKeepsTheSelectedEntryAndLeavesTheView) {
  search("菜单函数");
  std::set<std::int32_t> before = listed();
  std::int32_t entry = entryOf("GetMenuItemInfoA");
  hits.userSelected(positionOf(entry));
  w.编辑框_文本形式.setText("still on view");

  w.组合框_搜索API显示.userChose(1);
  EXPECT_EQ(listed(), before);
  for (int pos = 0; pos < hits.count(); ++pos) EXPECT_EQ(hits.itemText(pos), entryAt(hits.itemData(pos)).englishName);
  EXPECT_EQ(hits.itemText(hits.currentSelection()), "GetMenuItemInfoA");
  EXPECT_EQ(hits.itemData(hits.currentSelection()), entry);
  EXPECT_EQ(w.编辑框_文本形式.text(), "still on view");

  w.组合框_搜索API显示.userChose(0);
  EXPECT_EQ(hits.itemText(hits.currentSelection()), "取菜单条目信息_");
}

TEST_F(SearchTest, RelabelWithoutSelectionSelectsNothing) {
  search("菜单函数");
  w.组合框_搜索API显示.userChose(1);
  EXPECT_EQ(hits.currentSelection(), -1);
  EXPECT_EQ(hits.itemText(0), entryAt(hits.itemData(0)).englishName);
}

TEST_F(SearchTest, RelabelLeavesExampleHitsAlone) {
  w.组合框_搜索类型.userChose(1);
  search("");
  hits.add("窗口例程.e", 7);  // as the examples database gives them
  w.组合框_搜索API显示.userChose(1);
  ASSERT_EQ(hits.count(), 1);
  EXPECT_EQ(hits.itemText(0), "窗口例程.e");
  EXPECT_EQ(hits.itemData(0), 7);
}

// --- Search type ------------------------------------------------------------------

TEST_F(SearchTest, ExampleSearchWithoutADatabaseFindsNothingSilently) {
  ASSERT_FALSE(app.examples);
  search("GetMenuItemInfoA");
  std::size_t messagesBefore = messages.shown.size();
  w.组合框_搜索类型.userChose(1);
  search("");
  EXPECT_FALSE(app.searchResultsAreApis);
  EXPECT_EQ(hits.count(), 0);
  EXPECT_EQ(messages.shown.size(), messagesBefore);
  EXPECT_TRUE(examples::findExamples(app.examples.get(), "").empty());
}

TEST_F(SearchTest, SearchTypeDisablesTheDisplayChoiceButOldHitsStillAdd) {
  search("GetMenuItemInfoA");
  w.组合框_搜索类型.userChose(1);
  EXPECT_FALSE(w.组合框_搜索API显示.enabled());
  EXPECT_TRUE(app.searchResultsAreApis);
  hits.userDoubleClicked(positionOf(entryOf("GetMenuItemInfoA")));
  ASSERT_EQ(w.选择列表框_选用API.count(), 1);
  EXPECT_EQ(w.选择列表框_选用API.itemText(0), "GetMenuItemInfoA / 取菜单条目信息_");
  w.组合框_搜索类型.userChose(0);
  EXPECT_TRUE(w.组合框_搜索API显示.enabled());
}

// --- Showing and adding hits ------------------------------------------------------

TEST_F(SearchTest, SelectingAnApiHitShowsItsDeclaration) {
  search("GetMenuItemInfoA");
  std::int32_t entry = entryOf("GetMenuItemInfoA");
  hits.userSelected(positionOf(entry));
  library::LookupLists scratch;
  std::optional<library::FoundDllCommand> found =
      library::lookUpDllCommand(sharedLibrary().texts, entryAt(entry).chineseName, scratch);
  ASSERT_TRUE(found);
  EXPECT_TRUE(w.编辑框_文本形式.text().starts_with(found->declarationText));
  EXPECT_EQ(w.状态条.parts()[0].text, "API：");
  EXPECT_EQ(w.状态条.parts()[1].text, "取菜单条目信息_");
  EXPECT_EQ(ui.focused(), &hits);
  EXPECT_FALSE(w.画板1.visible());
}

TEST_F(SearchTest, SelectingAnExampleHitOnlyLabelsTheStatusBar) {
  w.组合框_搜索类型.userChose(1);
  search("");
  hits.add("窗口例程.e", 7);
  w.编辑框_文本形式.setText("still on view");
  hits.userSelected(0);
  EXPECT_EQ(w.状态条.parts()[0].text, "API例程：");
  EXPECT_EQ(w.状态条.parts()[0].width, w.画板1.measureText("API例程：").width + 5);
  EXPECT_EQ(w.状态条.parts()[1].text, "窗口例程.e");
  EXPECT_EQ(w.编辑框_文本形式.text(), "still on view");
  EXPECT_FALSE(w.画板1.visible());
}

TEST_F(SearchTest, DoubleClickAddsAnApiHitOnceAndLeavesTheView) {
  search("GetMenuItemInfoA");
  int pos = positionOf(entryOf("GetMenuItemInfoA"));
  w.编辑框_文本形式.setText("still on view");
  w.选择夹_选用区.userChangedPage(1);
  hits.userDoubleClicked(pos);
  EXPECT_EQ(w.选择夹_选用区.currentPage(), 0);
  hits.userDoubleClicked(pos);
  ASSERT_EQ(w.选择列表框_选用API.count(), 1);
  EXPECT_EQ(w.选择列表框_选用API.itemData(0), entryOf("GetMenuItemInfoA"));
  EXPECT_EQ(w.编辑框_文本形式.text(), "still on view");
}

TEST_F(SearchTest, DoubleClickWithoutSelectionOnlySwitchesThePage) {
  search("GetMenuItemInfoA");
  w.选择夹_选用区.userChangedPage(1);
  hits.setCurrentSelection(-1);
  hits.userDoubleClicked(-1);
  EXPECT_EQ(w.选择夹_选用区.currentPage(), 0);
  EXPECT_EQ(w.选择列表框_选用API.count(), 0);
}

// --- The contains test over the catalog -------------------------------------------

TEST(FindApis, MatchesWholeLinesAndSkipsShortOnes) {
  library::Catalog lines("AbcW,类别,甲_\r\nShort,类别\r\nxyz,其他,乙_,abc结构_\r\n\r\nQ,类别,丙_");
  EXPECT_EQ(navigation::findApis(lines, "ABC"), (std::vector<std::int32_t>{1, 3}));
  EXPECT_EQ(navigation::findApis(lines, "w,类"), (std::vector<std::int32_t>{1}));
  EXPECT_EQ(navigation::findApis(lines, "类别"), (std::vector<std::int32_t>{1, 5}));
  EXPECT_EQ(navigation::findApis(lines, ""), (std::vector<std::int32_t>{1, 3, 5}));
}

}  // namespace

namespace {

// --- Descriptions, comments and the glossary ---------------------------------------

TEST_F(SearchTest, DescriptionsAndCommentsAreFoundAfterTheHitsOnANameAndNothingSaysSo) {
  search("顶层窗口");
  const int byName = positionOf(entryOf("EnumWindows"));         // 枚举顶层窗口_
  const int byDescription = positionOf(entryOf("FindWindowA"));  // 查找窗口_: its description says it
  ASSERT_GE(byName, 0);
  ASSERT_GE(byDescription, 0);
  EXPECT_LT(byName, byDescription);
  // A parameter's comment: 消息广播_'s flags are "BSF_常量的组合".
  search("BSF_常量");
  EXPECT_TRUE(listed().contains(entryOf("BroadcastSystemMessage")));
  // A match must begin at a character: 窗 (B4 B0) holds no "B0 BF" of 部 (B2 BF) and the like.
  search("\xB0\xBF");
  EXPECT_EQ(hits.count(), 0);
  EXPECT_EQ(w.状态条.parts()[1].text, "未找到：\xB0\xBF");
}

TEST_F(SearchTest, TheGlossaryLeadsChineseWordsToGeneratedEnglishNames) {
  search("分层窗口");
  EXPECT_TRUE(listed().contains(entryOf("SetLayeredWindowAttributes")));
  EXPECT_TRUE(listed().contains(entryOf("UpdateLayeredWindow")));
  search("取窗口");
  EXPECT_TRUE(listed().contains(entryOf("GetWindowDpiAwarenessContext")));
  EXPECT_FALSE(listed().contains(entryOf("SetLayeredWindowAttributes")));
  // Words of the glossary that no name holds together find nothing by it.
  search("分层打印机");
  EXPECT_EQ(hits.count(), 0);
}

TEST(Glossary, CutsNamesIntoWordsAndTypedTextIntoGlossedWords) {
  using Words = std::vector<std::string>;
  EXPECT_EQ(library::englishWords("GetWindowDCEx"), (Words{"get", "window", "dc", "ex"}));
  EXPECT_EQ(library::englishWords("GetWindowTextA"), (Words{"get", "window", "text"}));
  EXPECT_EQ(library::englishWords("mouse_event2"), (Words{"mouse", "event"}));
  EXPECT_EQ(library::englishWords("DWORD"), (Words{"dword"}));
  const library::Glossary glossary("Window,窗口\nWin,窗\r\nGet,取,获取\nbroken\n,无\n");
  EXPECT_EQ(glossary.size(), 4u);
  using Glosses = std::vector<std::vector<std::string_view>>;
  EXPECT_EQ(glossary.glossesOf("获取窗口"), (Glosses{{"get"}, {"window"}}));  // the longest word first
  EXPECT_EQ(glossary.glossesOf("窗取"), (Glosses{{"win"}, {"get"}}));
  EXPECT_TRUE(glossary.glossesOf("取窗口x").empty());
  EXPECT_TRUE(glossary.glossesOf("").empty());
}

}  // namespace
