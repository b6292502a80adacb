// The wizard with the library at full size: the generated declarations reachable from
// the tree, the index, the search and the chosen list, the hand-written ones where they
// were; and the one-operation fill of a sorted list, which must order as the inserts did.
#include <gtest/gtest.h>

#include "library/declaration_lookup.h"
#include "navigation/api_index.h"
#include "navigation/category_tree.h"
#include "platform/list_model.h"
#include "tests/full_size_library.h"
#include "tests/headless_wizard.h"
#include "tests/shared_library.h"

namespace {

std::vector<gbk::Text> texts(const platform::ListModel& list) {
  std::vector<gbk::Text> out;
  for (int pos = 0; pos < list.count(); ++pos)
    out.push_back(list.item(pos).text + "#" + std::to_string(list.item(pos).data));
  return out;
}

TEST(ListModelFill, OrdersAsInsertingOneByOneDoesEqualNamesIncluded) {
  const library::Catalog catalog(fullSizeLibrary().catalog);
  for (bool chinese : {true, false}) {
    platform::ListModel inserted(true), assigned(true);
    std::vector<platform::ListItem> items;
    for (std::int32_t n = 1; n <= catalog.size(); ++n) {
      if (const library::CatalogEntry* entry = catalog.entry(n)) {
        inserted.insert(entry->shownName(chinese), n);
        items.push_back({gbk::Text(entry->shownName(chinese)), n});
      }
    }
    inserted.select(3);
    assigned.assign(std::move(items));
    EXPECT_EQ(texts(assigned), texts(inserted)) << (chinese ? "Chinese" : "English");
    EXPECT_EQ(assigned.selection(), -1);
  }
}

TEST(ListModelFill, TypeAheadGoesOnAfterTheSelectionAndRoundFromTheTop) {
  platform::ListModel list(false);
  list.assign({{"beta", 1}, {"Alpha", 2}, {"bravo", 3}, {"创建", 4}});
  EXPECT_EQ(list.findPrefixAfter("B", -1), 0);
  EXPECT_EQ(list.findPrefixAfter("b", 0), 2);
  EXPECT_EQ(list.findPrefixAfter("b", 2), 0);
  EXPECT_EQ(list.findPrefixAfter("a", 1), 1) << "the selected item itself, found last";
  EXPECT_EQ(list.findPrefixAfter("创", 3), 3);
  EXPECT_EQ(list.findPrefixAfter("x", 0), -1);
  EXPECT_EQ(platform::ListModel(true).findPrefixAfter("a", -1), -1);
}

class FullSizeWizard : public ::testing::Test, protected HeadlessWizard {
 protected:
  FullSizeWizard() : HeadlessWizard({}, fullSizeWizardLibrary()) {}

  void SetUp() override {
    {
      HeadlessWizard handWritten;
      handWritten.start();
      handWrittenEnglish = indexTextsOf(handWritten, false);
      handWrittenGetDC = handWritten.entryOf("GetDC");
    }
    start();
  }

  static std::vector<gbk::Text> indexTextsOf(HeadlessWizard& h, bool generatedToo) {
    h.w.单选框_英文索引.userClicked();
    platform::ListBox& index = h.w.列表框_索引;
    std::vector<gbk::Text> out;
    for (int pos = 0; pos < index.count(); ++pos) {
      if (generatedToo || !h.entryAt(index.itemData(pos)).generated()) out.push_back(index.itemText(pos));
    }
    return out;
  }
  std::vector<gbk::Text> indexTexts(bool generatedToo) { return indexTextsOf(*this, generatedToo); }

  std::vector<gbk::Text> handWrittenEnglish;
  std::int32_t handWrittenGetDC = 0;
};

TEST_F(FullSizeWizard, TheIndexListsEveryEntryTheHandWrittenInTheirOwnOrder) {
  EXPECT_GT(w.列表框_索引.count(), 5500);
  const std::vector<gbk::Text> shown = indexTexts(false);
  ASSERT_EQ(shown.size(), handWrittenEnglish.size());
  for (std::size_t i = 0; i < shown.size(); ++i) ASSERT_EQ(shown[i], handWrittenEnglish[i]) << i;
  w.单选框_中文索引.userClicked();
  // Copy 2 of the hand-written GetDC.
  const gbk::Text name = "GetDCV" + std::to_string(2000 + handWrittenGetDC);
  const std::int32_t generated = entryOf(name);
  ASSERT_GT(generated, 0);
  w.编辑框_索引.userTyped(name);
  EXPECT_EQ(w.列表框_索引.itemText(w.列表框_索引.currentSelection()), name) << "its English name in Chinese";
  EXPECT_EQ(w.列表框_索引.itemData(w.列表框_索引.currentSelection()), generated);
  EXPECT_EQ(w.状态条.parts()[1].text, name);
  w.编辑框_索引.userPressedKey(navigation::kEnterKey);
  EXPECT_EQ(w.选择列表框_选用API.itemText(0), name + " / " + name + "_");
}

TEST_F(FullSizeWizard, TheTreeFilesTheGeneratedEntriesUnderTheirDllAfterTheDataTypes) {
  platform::TreeBox& tree = w.树型框_API目录;
  int node = -1;
  for (int pos = 0; pos < tree.count() && node < 0; ++pos) {
    if (tree.itemText(pos) == navigation::kGeneratedNodeLabel) node = pos;
  }
  ASSERT_GT(node, 0);
  EXPECT_EQ(tree.itemText(tree.parentOf(node - 1)), navigation::kDataTypeNodeLabel);
  const int dll = node + 1;
  const library::CatalogEntry& first = entryAt(tree.itemData(dll + 1));
  EXPECT_TRUE(first.generated());
  EXPECT_EQ(tree.itemText(dll), first.category);
  EXPECT_EQ(tree.itemText(dll + 1), first.englishName);
  tree.setCurrentItem(dll + 1);
  EXPECT_EQ(w.状态条.parts()[1].text, first.englishName);
}

TEST_F(FullSizeWizard, TheSearchFindsTheGeneratedEntriesAndTheLookupTheirBlocks) {
  w.选择夹_目录区.userChangedPage(3);
  w.编辑框_搜索内容.userTyped("SetRectEmptyV");
  w.按钮_搜索.userClicked();
  EXPECT_EQ(w.列表框_搜索结果.count(), 6);
  EXPECT_TRUE(w.列表框_搜索结果.itemText(0).starts_with("SetRectEmptyV1"));
  library::LookupLists lists, handWrittenLists;
  const library::CatalogEntry& entry = entryAt(w.列表框_搜索结果.itemData(5));
  std::optional<library::FoundDllCommand> found = library::lookUpDllCommand(library.texts, entry.chineseName, lists);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->record.entryName, "SetRectEmpty");
  EXPECT_EQ(found->record.dllFile, entry.category);
  ASSERT_TRUE(
      library::lookUpDllCommand(sharedLibrary().texts, entryAt(entryOf("SetRectEmpty")).chineseName, handWrittenLists));
  EXPECT_EQ(lists.neededDataTypeTexts, handWrittenLists.neededDataTypeTexts);
}

}  // namespace
