#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>

#include "app/wizard_app.h"
#include "base/sort_order.h"
#include "library/declaration_lookup.h"
#include "navigation/api_index.h"
#include "navigation/chosen_lists.h"
#include "platform/headless/headless_ui.h"
#include "tests/headless_wizard.h"
#include "tests/shared_library.h"

namespace {

using platform::headless::HeadlessUi;

class ChosenListsTest : public ::testing::Test, protected HeadlessWizard {
 protected:
  platform::CheckListBox& chosen = w.选择列表框_选用API;
  platform::CheckListBox& examples = w.选择列表框_选用例程;

  void SetUp() override { start(); }

  void addApi(std::int32_t entry) { navigation::addCatalogEntryToChosenApiList(w, catalog(), entry); }
  void addDataType(std::string_view name, std::int32_t entry = 1) {
    navigation::addToChosenApiList(chosen, catalog(), {library::DeclarationKind::dataType, entry, gbk::Text(name)});
  }
  std::vector<std::int32_t> chosenEntries(navigation::WhenNoneTicked whenNoneTicked) const {
    std::vector<std::int32_t> entries;
    for (const navigation::CatalogItem& item : navigation::chosenItems(chosen, whenNoneTicked)) {
      entries.push_back(item.entryNumber);
    }
    return entries;
  }
  std::vector<gbk::Text> texts() const {
    std::vector<gbk::Text> out;
    for (int pos = 0; pos < chosen.count(); ++pos) out.push_back(chosen.itemText(pos));
    return out;
  }
};

// --- Item texts and the add rule --------------------------------------------------

TEST_F(ChosenListsTest, TextsAreMadeFromTheItems) {
  useCatalog(
      "GetMenuItemInfoA,菜单函数,取菜单条目信息_,菜单条目结构_\r\n"
      "SetLayeredWindowAttributes,user32.dll,SetLayeredWindowAttributes_\r\n");
  addApi(1);
  addApi(2);
  addDataType("菜单条目结构_");
  EXPECT_EQ(texts(), (std::vector<gbk::Text>{"GetMenuItemInfoA / 取菜单条目信息_",
                                             "SetLayeredWindowAttributes / SetLayeredWindowAttributes_",
                                             "数据类型：菜单条目结构_"}));
  EXPECT_EQ(chosen.itemData(2), 1);
  // A number that names no entry is an internal error: nothing is added.
  addApi(3);
  addDataType("矩形_", 0);
  EXPECT_EQ(chosen.count(), 3);
}

TEST_F(ChosenListsTest, TextIsTheIdentityByteForByte) {
  useCatalog(
      "GetMenuItemInfoA,菜单函数,取菜单条目信息_\r\n"
      "GetMenuItemInfoA,菜单函数,取菜单条目信息_,菜单条目结构_\r\n"
      "getmenuiteminfoa,菜单函数,取菜单条目信息_\r\n");
  addApi(1);
  chosen.setChecked(0, true);
  addApi(2);
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen.itemData(0), 1);
  EXPECT_TRUE(chosen.checked(0));
  // Letter case counts, though the sort order folds it.
  addApi(3);
  ASSERT_EQ(chosen.count(), 2);
  EXPECT_EQ(chosen.itemText(1), "getmenuiteminfoa / 取菜单条目信息_");
  EXPECT_FALSE(chosen.checked(1));
}

TEST_F(ChosenListsTest, ItemsStandInSortOrderWhateverTheOrderOfAdding) {
  useCatalog("SetMenu,菜单函数,置菜单_\r\nAppendMenuA,菜单函数,添加菜单条目_\r\nappendMenu,菜单函数,甲_\r\n");
  const std::array<std::function<void()>, 5> adds = {[&] { addApi(1); }, [&] { addDataType("矩形_"); },
                                                     [&] { addApi(2); }, [&] { addDataType("菜单条目结构_"); },
                                                     [&] { addApi(3); }};
  std::array<int, 5> order = {0, 1, 2, 3, 4};
  std::vector<gbk::Text> first;
  do {
    chosen.removeAll();
    for (int i : order) adds[static_cast<std::size_t>(i)]();
    if (first.empty()) first = texts();
    ASSERT_EQ(texts(), first);
  } while (std::next_permutation(order.begin(), order.end()));
  ASSERT_EQ(first.size(), adds.size());
  for (std::size_t i = 1; i < first.size(); ++i) EXPECT_TRUE(base::sortsBefore(first[i - 1], first[i])) << i;
  for (int pos = 0; pos < chosen.count(); ++pos) EXPECT_FALSE(chosen.checked(pos));
}

TEST_F(ChosenListsTest, EntriesWithTheSameEnglishNameAreAddedApart) {
  w.单选框_英文索引.userClicked();
  int added = 0;
  for (int pos = 0; pos < w.列表框_索引.count(); ++pos) {
    if (w.列表框_索引.itemText(pos) != "RtlMoveMemory") continue;
    w.列表框_索引.userDoubleClicked(pos);
    ++added;
  }
  EXPECT_GT(added, 1);
  EXPECT_EQ(chosen.count(), added);
  for (int pos = 0; pos < chosen.count(); ++pos) EXPECT_TRUE(chosen.itemText(pos).starts_with("RtlMoveMemory / "));
}

TEST_F(ChosenListsTest, EveryPathGivesTheSameTextOnce) {
  std::int32_t entry = entryOf("GetMenuItemInfoA");
  gbk::Text expected = "GetMenuItemInfoA / 取菜单条目信息_";
  // The index by double-click and by Enter, in both languages.
  for (bool english : {false, true}) {
    (english ? w.单选框_英文索引 : w.单选框_中文索引).userClicked();
    w.编辑框_索引.userTyped(english ? "GetMenuItemInfoA" : "取菜单条目信息_");
    w.编辑框_索引.userPressedKey(navigation::kEnterKey);
    w.列表框_索引.userDoubleClicked(w.列表框_索引.currentSelection());
  }
  // The search results, in both languages.
  w.编辑框_搜索内容.userTyped("GetMenuItemInfoA");
  for (int display : {0, 1}) {
    w.组合框_搜索API显示.userChose(display);
    w.按钮_搜索.userClicked();
    for (int pos = 0; pos < w.列表框_搜索结果.count(); ++pos) {
      if (w.列表框_搜索结果.itemData(pos) == entry) w.列表框_搜索结果.userDoubleClicked(pos);
    }
  }
  // The tree, by its Chinese label: the API node comes before the data type nodes.
  platform::TreeBox& tree = w.树型框_API目录;
  int node = 0;
  while (node < tree.count() && tree.itemData(node) != entry) ++node;
  tree.userDoubleClicked(node);
  ASSERT_EQ(texts(), std::vector<gbk::Text>{expected});
  EXPECT_EQ(chosen.itemData(0), entry);
}

TEST_F(ChosenListsTest, AddedAgainAfterRemoval) {
  addApi(5);
  chosen.setCurrentSelection(0);
  w.按钮_从选用框删除.userClicked();
  EXPECT_EQ(chosen.count(), 0);
  addApi(5);
  EXPECT_EQ(chosen.count(), 1);
}

// --- What is chosen -----------------------------------------------------------------

TEST_F(ChosenListsTest, TheTickedItemsInListOrderOrElseTheSelectedOne) {
  useCatalog("C,类,丙_\r\nA,类,甲_\r\nB,类,乙_\r\n");
  for (std::int32_t entry : {1, 2, 3}) addApi(entry);
  addDataType("矩形_", 3);
  chosen.add("zz, made by no add rule", 7);  // never chosen
  for (int pos = 0; pos < chosen.count(); ++pos) chosen.setChecked(pos, pos != 1);
  chosen.setCurrentSelection(1);
  // A / 甲_, B / 乙_ (not ticked, selected), C / 丙_, zz…, 数据类型：矩形_.
  using Entries = std::vector<std::int32_t>;
  EXPECT_EQ(chosenEntries(navigation::WhenNoneTicked::takeSelected), (Entries{2, 1, 3}));
  EXPECT_EQ(chosenEntries(navigation::WhenNoneTicked::takeNothing), (Entries{2, 1, 3}));
  EXPECT_EQ(navigation::chosenItems(chosen, navigation::WhenNoneTicked::takeNothing)[2].kind,
            library::DeclarationKind::dataType);

  w.按钮_全部放弃.userClicked();
  EXPECT_EQ(chosenEntries(navigation::WhenNoneTicked::takeSelected), Entries{3});
  EXPECT_EQ(chosenEntries(navigation::WhenNoneTicked::takeNothing), Entries{});
  chosen.setCurrentSelection(3);
  EXPECT_EQ(chosenEntries(navigation::WhenNoneTicked::takeSelected), Entries{});
  chosen.setCurrentSelection(-1);
  EXPECT_EQ(chosenEntries(navigation::WhenNoneTicked::takeSelected), Entries{});
}

// --- Buttons ----------------------------------------------------------------------

TEST_F(ChosenListsTest, TickButtonsActOnTheListOfThePageOnShow) {
  useCatalog("A,类,甲_\r\nB,类,乙_\r\nC,类,丙_\r\n");
  for (std::int32_t entry : {1, 2, 3}) addApi(entry);
  chosen.setChecked(1, true);

  // The page rebuilds its list as it comes on show.
  w.选择夹_选用区.userChangedPage(1);
  examples.add("一.e", 1);
  examples.add("二.e", 2);
  w.按钮_全部选择.userClicked();
  EXPECT_TRUE(examples.checked(0) && examples.checked(1));
  EXPECT_EQ((std::vector<bool>{chosen.checked(0), chosen.checked(1), chosen.checked(2)}),
            (std::vector<bool>{false, true, false}));
  w.按钮_全部放弃.userClicked();
  EXPECT_FALSE(examples.checked(0) || examples.checked(1));
  EXPECT_TRUE(chosen.checked(1));

  w.选择夹_选用区.userChangedPage(0);
  examples.setChecked(0, true);
  w.按钮_全部选择.userClicked();
  EXPECT_TRUE(chosen.checked(0) && chosen.checked(1) && chosen.checked(2));
  w.按钮_全部放弃.userClicked();
  EXPECT_FALSE(chosen.checked(0) || chosen.checked(1) || chosen.checked(2));
  EXPECT_TRUE(examples.checked(0));
}

TEST_F(ChosenListsTest, RemoveSelectsTheFollowingItemOrTheNewLast) {
  useCatalog("A,类,甲_\r\nB,类,乙_\r\nC,类,丙_\r\n");
  for (std::int32_t entry : {1, 2, 3}) addApi(entry);
  chosen.setChecked(2, true);
  chosen.setCurrentSelection(1);
  w.编辑框_文本形式.setText("still on view");
  w.按钮_从选用框删除.userClicked();
  EXPECT_EQ(texts(), (std::vector<gbk::Text>{"A / 甲_", "C / 丙_"}));
  EXPECT_EQ(chosen.currentSelection(), 1);
  EXPECT_TRUE(chosen.checked(1));

  w.按钮_从选用框删除.userClicked();  // the last one
  EXPECT_EQ(texts(), (std::vector<gbk::Text>{"A / 甲_"}));
  EXPECT_EQ(chosen.currentSelection(), 0);

  w.按钮_从选用框删除.userClicked();  // the only one
  EXPECT_EQ(chosen.count(), 0);
  EXPECT_EQ(chosen.currentSelection(), -1);
  EXPECT_EQ(w.编辑框_文本形式.text(), "still on view");
}

TEST_F(ChosenListsTest, RemoveWithoutSelectionRemovesNothing) {
  addApi(1);
  addApi(2);
  chosen.setCurrentSelection(-1);
  w.按钮_从选用框删除.userClicked();
  EXPECT_EQ(chosen.count(), 2);
  EXPECT_EQ(chosen.currentSelection(), -1);
}

TEST_F(ChosenListsTest, ClearEmptiesOnlyTheChosenApiList) {
  addApi(1);
  addDataType("矩形_");
  examples.add("一.e", 1);
  w.按钮_清空选用框.userClicked();
  EXPECT_EQ(chosen.count(), 0);
  EXPECT_EQ(examples.count(), 1);
}

// --- Showing the selected item ----------------------------------------------------

TEST_F(ChosenListsTest, SelectingAnApiItemShowsItsDeclarationByChineseName) {
  std::int32_t entry = entryOf("GetMenuItemInfoA");
  navigation::addCatalogEntryToChosenApiList(wizard.window, catalog(), entry);
  w.状态条.setPartText(0, "API：");
  w.状态条.setPartWidth(0, 40);
  w.状态条.setPartText(1, "取菜单条目信息_");
  chosen.userSelected(0);

  library::LookupLists lists;
  std::optional<library::FoundDllCommand> found =
      library::lookUpDllCommand(sharedLibrary().texts, "取菜单条目信息_", lists);
  ASSERT_TRUE(found);
  gbk::Text expected = found->declarationText;
  for (const auto& text : lists.neededDataTypeTexts) expected += "\r\n\r\n" + text;
  EXPECT_EQ(w.编辑框_文本形式.text(), expected);
  EXPECT_EQ(w.状态条.parts()[0].text, "API：");
  EXPECT_EQ(w.状态条.parts()[0].width, 40);
  EXPECT_EQ(w.状态条.parts()[1].text, "");
  EXPECT_EQ(ui.focused(), &chosen);
}

TEST_F(ChosenListsTest, SelectingADataTypeItemShowsOnlyItsDeclaration) {
  addDataType("菜单条目结构_", entryOf("GetMenuItemInfoA"));
  w.状态条.setPartText(0, "API：");
  w.状态条.setPartText(1, "取菜单条目信息_");
  chosen.userSelected(0);

  std::optional<library::FoundDataType> found = library::lookUpDataType(sharedLibrary().texts, "菜单条目结构_");
  ASSERT_TRUE(found);
  EXPECT_EQ(w.编辑框_文本形式.text(), found->declarationText);
  EXPECT_EQ(w.状态条.parts()[0].text, "API：");
  EXPECT_EQ(w.状态条.parts()[1].text, "");
  EXPECT_EQ(ui.focused(), &chosen);
}

TEST_F(ChosenListsTest, AnApiIsShownByItsChineseNameWhateverItsEnglishNameHolds) {
  useCatalog("Get/MenuItemInfo,菜单函数,取菜单条目信息_\r\n");
  addApi(1);
  chosen.userSelected(0);
  library::LookupLists lists;
  std::optional<library::FoundDllCommand> found =
      library::lookUpDllCommand(sharedLibrary().texts, "取菜单条目信息_", lists);
  ASSERT_TRUE(found);
  EXPECT_TRUE(w.编辑框_文本形式.text().starts_with(found->declarationText));
}

TEST_F(ChosenListsTest, SelectingAnItemThatTheAddRuleDidNotMakeShowsNothing) {
  w.编辑框_文本形式.setText("still on view");
  chosen.add("数据类型：矩形_", 1);
  chosen.userSelected(0);
  EXPECT_EQ(w.编辑框_文本形式.text(), "still on view");
}

}  // namespace
