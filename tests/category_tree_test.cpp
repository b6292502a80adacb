#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/wizard_app.h"
#include "library/builtin_data.h"
#include "library/declaration_lookup.h"
#include "navigation/category_tree.h"
#include "platform/headless/headless_ui.h"
#include "tests/headless_wizard.h"
#include "tests/shared_library.h"

namespace {

using platform::headless::HeadlessUi;

// Content built from a catalog given in code ---------------------------------------------

class TreeContentFromCatalog : public ::testing::Test {
 protected:
  platform::TreeBox tree{"tree"};

  void fill(const std::vector<gbk::Text>& lines, bool chinese = true) {
    gbk::Text text;
    for (const gbk::Text& line : lines) text += line + "\r\n";
    ASSERT_TRUE(tree.setContent(navigation::buildCategoryTreeContent(library::Catalog(text), chinese)).ok());
  }
  std::vector<gbk::Text> labels() const {
    std::vector<gbk::Text> out;
    for (int pos = 0; pos < tree.count(); ++pos) out.push_back(tree.itemText(pos));
    return out;
  }
};

TEST_F(TreeContentFromCatalog, CategoriesStartWhereverTheCategoryChanges) {
  fill({"A1,甲,一_,类型乙_", "A2,甲,二_", "B1,乙,三_,类型甲_,类型乙_", "A3,甲,四_"}, false);
  EXPECT_EQ(labels(),
            (std::vector<gbk::Text>{"甲", "A1", "A2", "乙", "B1", "甲", "A3", "数据类型", "类型乙_", "类型甲_"}));
  EXPECT_EQ((std::vector<int>{tree.parentOf(2), tree.parentOf(4), tree.parentOf(6), tree.parentOf(8)}),
            (std::vector<int>{0, 3, 5, 7}));
}

TEST_F(TreeContentFromCatalog, ItemDataIsTheEntryNumberCountingSkippedLines) {
  fill({"A1,甲,一_,,类型甲_", "", "short,line", "A2,甲,二_,类型甲_,类型乙_"});
  EXPECT_EQ(labels(), (std::vector<gbk::Text>{"甲", "一_", "二_", "数据类型", "类型甲_", "类型乙_"}));
  EXPECT_EQ((std::vector<std::int32_t>{tree.itemData(0), tree.itemData(1), tree.itemData(2), tree.itemData(3),
                                       tree.itemData(4), tree.itemData(5)}),
            (std::vector<std::int32_t>{0, 1, 4, 0, 1, 4}));
}

TEST_F(TreeContentFromCatalog, ImagesAreBooksForTheTopLevelAndPagesBelow) {
  fill({"A1,甲,一_,类型甲_"});
  EXPECT_EQ((std::vector<std::int32_t>{tree.image(0), tree.image(1), tree.image(2), tree.image(3)}),
            (std::vector<std::int32_t>{navigation::kClosedBookImage, navigation::kPageImage,
                                       navigation::kClosedBookImage, navigation::kPageImage}));
  for (int pos = 0; pos < tree.count(); ++pos) EXPECT_EQ(tree.selectedImage(pos), tree.image(pos));
  for (int pos = 0; pos < tree.count(); ++pos) EXPECT_EQ(tree.nodes().node(pos).flags, 0u);
}

TEST_F(TreeContentFromCatalog, DataTypeNodeIsThereEvenWithoutDataTypes) {
  fill({});
  EXPECT_EQ(labels(), (std::vector<gbk::Text>{"数据类型"}));
  fill({"A1,甲,一_"});
  EXPECT_EQ(labels(), (std::vector<gbk::Text>{"甲", "一_", "数据类型"}));
}

TEST_F(TreeContentFromCatalog, GeneratedEntriesFollowTheDataTypesUnderANodeADll) {
  for (bool chinese : {true, false}) {
    fill({"A1,甲,一_,类型甲_", "Beep,kernel32.dll,Beep_", "GetDC,user32.dll,GetDC_,类型乙_",
          "SetRect,user32.dll,SetRect_"},
         chinese);
    EXPECT_EQ(labels(), (std::vector<gbk::Text>{"甲", chinese ? "一_" : "A1", "数据类型", "类型甲_", "类型乙_",
                                                "全部系统API（按DLL）", "kernel32.dll", "Beep", "user32.dll", "GetDC",
                                                "SetRect"}));
    std::vector<std::pair<int, std::int32_t>> parentsAndData;
    for (int pos = 5; pos < tree.count(); ++pos) parentsAndData.emplace_back(tree.parentOf(pos), tree.itemData(pos));
    EXPECT_EQ(parentsAndData,
              (std::vector<std::pair<int, std::int32_t>>{{-1, 0}, {5, 0}, {6, 2}, {5, 0}, {8, 3}, {8, 4}}));
    EXPECT_EQ(tree.itemData(4), 3) << "a data type of a generated entry";
  }
}

// The tree that the wizard shows at start is the build's.
TEST(BuiltInTreeContent, IsTheOneTheBuiltInCatalogGivesWithChineseLabels) {
  const library::Catalog builtIn = library::Catalog::builtIn();
  EXPECT_EQ(builtIn.chineseTree(), navigation::buildCategoryTreeContent(builtIn, true));
  EXPECT_TRUE(library::Catalog(builtIn.text()).chineseTree().empty()) << "a catalog read at run time has none";
}

// The wizard's own tree ----------------------------------------------------------------

class CategoryTreeTest : public ::testing::Test, protected HeadlessWizard {
 protected:
  platform::TreeBox& tree = w.树型框_API目录;

  void SetUp() override { start(); }

  int positionOfLabel(std::string_view label) const {
    for (int pos = 0; pos < tree.count(); ++pos) {
      if (tree.itemText(pos) == label) return pos;
    }
    return -1;
  }
  int dataTypeNode() const { return positionOfLabel(navigation::kDataTypeNodeLabel); }
  // The first API node of the last category.
  int lastCategoryFirstApi() const {
    int category = tree.parentOf(dataTypeNode() - 1);
    return category + 1;
  }

  gbk::Text dllCommandShown(std::int32_t entry) const {
    library::LookupLists lists;
    std::optional<library::FoundDllCommand> found =
        library::lookUpDllCommand(sharedLibrary().texts, entryAt(entry).chineseName, lists);
    if (!found) return "(not found)";
    gbk::Text text = found->declarationText;
    for (const auto& type : lists.neededDataTypeTexts) text += "\r\n\r\n" + type;
    return text;
  }
  gbk::Text dataTypeShown(std::string_view name) const {
    std::optional<library::FoundDataType> found = library::lookUpDataType(sharedLibrary().texts, name);
    return found ? found->declarationText : "(not found)";
  }
  int statusWidth(std::string_view text) const { return w.画板1.measureText(text).width + 5; }
  const platform::StatusBar::Part& status(std::size_t part) const { return w.状态条.parts().at(part); }
};

// Fill -----------------------------------------------------------------------------------

TEST_F(CategoryTreeTest, HoldsThirteenCategoriesWithEveryApiInCatalogOrder) {
  std::vector<gbk::Text> categories;
  int apiNodes = 0;
  std::int32_t lastEntry = 0;
  for (int pos = 0; pos < dataTypeNode(); ++pos) {
    if (tree.parentOf(pos) == -1) {
      EXPECT_EQ(tree.itemData(pos), 0);
      categories.push_back(tree.itemText(pos));
      continue;
    }
    ++apiNodes;
    const std::int32_t entry = tree.itemData(pos);
    EXPECT_EQ(entry, lastEntry + 1) << "position " << pos;
    lastEntry = entry;
    EXPECT_EQ(tree.itemText(pos), entryAt(entry).chineseName);
    EXPECT_EQ(tree.itemText(tree.parentOf(pos)), entryAt(entry).category);
    EXPECT_EQ(tree.image(pos), navigation::kPageImage);
  }
  int handWritten = 0;
  for (std::int32_t n = 1; n <= catalog().size(); ++n) handWritten += entryAt(n).generated() ? 0 : 1;
  EXPECT_EQ(apiNodes, handWritten);
  EXPECT_EQ(categories,
            (std::vector<gbk::Text>{"Windows消息函数", "菜单函数", "打印函数", "多媒体", "绘图函数", "进程与线程函数",
                                    "控件与消息函数", "设备场景函数", "网络函数", "位图、图标和光栅运算函数",
                                    "文本和字体函数", "文件处理函数", "硬件与系统函数"}));
}

TEST_F(CategoryTreeTest, HoldsEachNamedDataTypeOnceUnderTheLastNode) {
  // The catalog scanned on its own: first naming entry of every distinct data type.
  std::vector<gbk::Text> expectedOrder;
  std::map<gbk::Text, std::int32_t> firstEntry;
  for (std::int32_t n = 1; n <= catalog().size(); ++n) {
    for (std::string_view dataType : entryAt(n).dataTypeNames) {
      if (!dataType.empty() && firstEntry.emplace(dataType, n).second) expectedOrder.emplace_back(dataType);
    }
  }
  ASSERT_GE(expectedOrder.size(), 77u);

  const int top = dataTypeNode();
  ASSERT_GT(top, 0);
  EXPECT_EQ(tree.parentOf(top), -1);
  EXPECT_EQ(tree.itemData(top), 0);
  // Then the generated APIs' node, if any.
  const int next = top + 1 + static_cast<int>(expectedOrder.size());
  EXPECT_TRUE(next == tree.count() || tree.itemText(next) == navigation::kGeneratedNodeLabel) << tree.itemText(next);
  for (std::size_t i = 0; i < expectedOrder.size(); ++i) {
    const int pos = top + 1 + static_cast<int>(i);
    EXPECT_EQ(tree.parentOf(pos), top);
    EXPECT_EQ(tree.itemText(pos), expectedOrder[i]);
    EXPECT_EQ(tree.itemData(pos), firstEntry[expectedOrder[i]]) << expectedOrder[i];
  }
}

TEST_F(CategoryTreeTest, HoldsEveryGeneratedApiInCatalogOrderUnderItsDllUnderTheLastNode) {
  int node = tree.count() - 1;
  while (node >= 0 && tree.parentOf(node) != -1) --node;
  if (tree.itemText(node) != navigation::kGeneratedNodeLabel) GTEST_SKIP() << "no generated declarations";
  std::int32_t lastEntry = 0;
  for (std::int32_t n = 1; n <= catalog().size() && !lastEntry; ++n) lastEntry = entryAt(n).generated() ? n - 1 : 0;
  std::set<gbk::Text> dlls;
  for (int pos = node + 1; pos < tree.count(); ++pos) {
    if (tree.parentOf(pos) == node) {
      EXPECT_EQ(tree.itemData(pos), 0);
      EXPECT_TRUE(dlls.insert(tree.itemText(pos)).second) << "DLL twice: " << tree.itemText(pos);
      continue;
    }
    const std::int32_t entry = tree.itemData(pos);
    EXPECT_EQ(entry, lastEntry + 1) << "position " << pos;
    lastEntry = entry;
    EXPECT_TRUE(entryAt(entry).generated());
    EXPECT_EQ(tree.itemText(pos), entryAt(entry).englishName);
    EXPECT_EQ(tree.itemText(tree.parentOf(pos)), entryAt(entry).category);
  }
  EXPECT_EQ(lastEntry, catalog().size());
  EXPECT_TRUE(dlls.contains("user32.dll"));
}

TEST_F(CategoryTreeTest, StartUpShowsTheFirstApiOfTheFirstCategory) {
  EXPECT_EQ(entryAt(1).line, "BroadcastSystemMessage,Windows消息函数,消息广播_");
  EXPECT_EQ(tree.currentItem(), 1);
  EXPECT_EQ(tree.itemText(1), "消息广播_");
  EXPECT_EQ(tree.itemData(1), 1);
  EXPECT_EQ(w.编辑框_文本形式.text(), dllCommandShown(1));
  EXPECT_EQ(w.高级表格1.cellText(1, 0), "消息广播_");
  EXPECT_FALSE(w.画板1.visible());
  EXPECT_EQ(status(0).text, "API：");
  EXPECT_EQ(status(0).width, statusWidth("API："));
  EXPECT_EQ(status(1).text, "消息广播_");
  // Only the first category opened to show it.
  EXPECT_TRUE(tree.expanded(0));
  EXPECT_EQ(tree.image(0), navigation::kOpenBookImage);
  EXPECT_EQ(tree.selectedImage(0), navigation::kOpenBookImage);
  for (int pos = 1; pos < tree.count(); ++pos) {
    if (tree.parentOf(pos) == -1) {
      EXPECT_FALSE(tree.expanded(pos)) << pos;
    }
  }
  EXPECT_EQ(ui.treeScrolledTo(tree), 1);
}

// Language --------------------------------------------------------------------------------

TEST_F(CategoryTreeTest, SwitchingLanguageKeepsTheNodeAndItsDeclaration) {
  const int pos = lastCategoryFirstApi() + 3;
  tree.userSelected(pos);
  const std::int32_t entry = tree.itemData(pos);
  const gbk::Text shown = w.编辑框_文本形式.text();
  ASSERT_EQ(shown, dllCommandShown(entry));

  w.单选框_英文树形框.userClicked();
  EXPECT_EQ(tree.currentItem(), pos);
  EXPECT_EQ(tree.itemData(pos), entry);
  EXPECT_EQ(tree.itemText(pos), entryAt(entry).englishName);
  EXPECT_EQ(tree.itemText(1), "BroadcastSystemMessage");
  EXPECT_EQ(w.编辑框_文本形式.text(), shown);
  EXPECT_EQ(status(1).text, entryAt(entry).englishName);
  // The rebuild opens only what the current node needs.
  EXPECT_FALSE(tree.expanded(0));
  EXPECT_EQ(tree.image(0), navigation::kClosedBookImage);
  EXPECT_TRUE(tree.expanded(tree.parentOf(pos)));
  EXPECT_EQ(ui.treeScrolledTo(tree), pos);
  EXPECT_EQ(ui.focused(), &tree);

  w.单选框_中文树形框.userClicked();
  EXPECT_EQ(tree.currentItem(), pos);
  EXPECT_EQ(tree.itemText(pos), entryAt(entry).chineseName);
}

TEST_F(CategoryTreeTest, SwitchingLanguageKeepsADataTypeNode) {
  const int pos = dataTypeNode() + 2;
  tree.userSelected(pos);
  const gbk::Text label = tree.itemText(pos);
  w.单选框_英文树形框.userClicked();
  EXPECT_EQ(tree.currentItem(), pos);
  EXPECT_EQ(tree.itemText(pos), label);
  EXPECT_EQ(status(0).text, "数据类型：");
}

TEST_F(CategoryTreeTest, FirstCategoryCurrentGivesWayToTheFirstApiOnASwitch) {
  tree.userSelected(0);
  w.单选框_英文树形框.userClicked();
  EXPECT_EQ(tree.currentItem(), 1);
  EXPECT_EQ(w.编辑框_文本形式.text(), dllCommandShown(1));
  EXPECT_EQ(status(1).text, "BroadcastSystemMessage");
}

// Showing the current node ------------------------------------------------------------------

TEST_F(CategoryTreeTest, TopLevelNodesEmptyTheView) {
  for (int pos : {lastCategoryFirstApi() - 1, dataTypeNode()}) {
    tree.userSelected(1);
    ASSERT_GT(w.高级表格1.rowCount(), 1);
    tree.userSelected(pos);
    EXPECT_EQ(w.编辑框_文本形式.text(), "");
    EXPECT_EQ(w.高级表格1.rowCount(), 1);
    EXPECT_EQ(w.高级表格1.columnCount(), 1);
    EXPECT_EQ(w.高级表格1.cellText(0, 0), "");
    EXPECT_EQ(w.高级表格1.cell(0, 0).backgroundColour, platform::Colour{0xFFFFFF});
    EXPECT_EQ(status(0).text, "API：");
    EXPECT_EQ(status(0).width, statusWidth("API："));
    EXPECT_EQ(status(1).text, tree.itemText(pos));
    EXPECT_FALSE(w.画板1.visible());
  }
  EXPECT_EQ(status(1).text, "数据类型");
}

TEST_F(CategoryTreeTest, DataTypeNodeShowsItsDeclaration) {
  const int pos = dataTypeNode() + 1;
  tree.userSelected(pos);
  const gbk::Text name = tree.itemText(pos);
  EXPECT_EQ(w.编辑框_文本形式.text(), dataTypeShown(name));
  EXPECT_EQ(w.高级表格1.cellText(1, 0), name);
  EXPECT_EQ(status(0).text, "数据类型：");
  EXPECT_EQ(status(0).width, statusWidth("数据类型："));
  EXPECT_EQ(status(1).text, name);
  EXPECT_EQ(ui.focused(), &tree);
}

// Expanding and collapsing -------------------------------------------------------------------

TEST_F(CategoryTreeTest, OpenAndClosedBooksFollowTheNodes) {
  const int category = lastCategoryFirstApi() - 1;
  tree.userExpanding(category);
  EXPECT_EQ(tree.image(category), navigation::kOpenBookImage);
  EXPECT_EQ(tree.selectedImage(category), navigation::kOpenBookImage);
  tree.userExpanding(dataTypeNode());
  EXPECT_EQ(tree.image(dataTypeNode()), navigation::kOpenBookImage);
  tree.userCollapsing(category);
  EXPECT_EQ(tree.image(category), navigation::kClosedBookImage);
  EXPECT_EQ(tree.selectedImage(category), navigation::kClosedBookImage);
  EXPECT_EQ(tree.image(category + 1), navigation::kPageImage);
  EXPECT_EQ(tree.image(dataTypeNode() + 1), navigation::kPageImage);
}

TEST_F(CategoryTreeTest, CollapsingAroundTheCurrentApiShowsTheCategory) {
  tree.userCollapsing(0);
  EXPECT_EQ(tree.currentItem(), 0);
  EXPECT_EQ(tree.image(0), navigation::kClosedBookImage);
  EXPECT_EQ(w.编辑框_文本形式.text(), "");
  EXPECT_EQ(status(1).text, "Windows消息函数");
}

// Double-click --------------------------------------------------------------------------

TEST_F(CategoryTreeTest, DoubleClickOnACategorySwitchesThePageAndAddsNothing) {
  w.选择夹_选用区.userChangedPage(1);
  ASSERT_EQ(w.按钮_导入.text(), "打开例程(&O)");
  tree.userDoubleClicked(0);
  EXPECT_EQ(w.选择夹_选用区.currentPage(), 0);
  EXPECT_EQ(w.按钮_导入.text(), "导入(&Z)");
  EXPECT_EQ(w.选择列表框_选用API.count(), 0);
  tree.userDoubleClicked(dataTypeNode());
  EXPECT_EQ(w.选择列表框_选用API.count(), 0);
}

TEST_F(CategoryTreeTest, DoubleClickingAnApiTwiceAddsItOnce) {
  const int pos = lastCategoryFirstApi();
  const std::int32_t entry = tree.itemData(pos);
  tree.userDoubleClicked(pos);
  tree.userDoubleClicked(pos);
  ASSERT_EQ(w.选择列表框_选用API.count(), 1);
  EXPECT_EQ(w.选择列表框_选用API.itemText(0),
            gbk::Text(entryAt(entry).englishName) + " / " + gbk::Text(entryAt(entry).chineseName));
  EXPECT_EQ(w.选择列表框_选用API.itemData(0), entry);
  EXPECT_FALSE(w.选择列表框_选用API.checked(0));
}

TEST_F(CategoryTreeTest, EnglishLabelsAddTheSameText) {
  tree.userDoubleClicked(1);
  const gbk::Text chinese = w.选择列表框_选用API.itemText(0);
  EXPECT_EQ(chinese, "BroadcastSystemMessage / 消息广播_");
  w.按钮_清空选用框.userClicked();
  w.单选框_英文树形框.userClicked();
  tree.userDoubleClicked(1);
  ASSERT_EQ(w.选择列表框_选用API.count(), 1);
  EXPECT_EQ(w.选择列表框_选用API.itemText(0), chinese);
}

TEST_F(CategoryTreeTest, DoubleClickOnADataTypeAddsItsDataTypeItem) {
  const int pos = dataTypeNode() + 1;
  tree.userDoubleClicked(pos);
  ASSERT_EQ(w.选择列表框_选用API.count(), 1);
  EXPECT_EQ(w.选择列表框_选用API.itemText(0), "数据类型：" + tree.itemText(pos));
  EXPECT_EQ(w.选择列表框_选用API.itemData(0), tree.itemData(pos));
}

}  // namespace
