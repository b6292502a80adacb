#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/tree_box.h"

namespace {

using platform::appendTreeRecord;
using platform::TreeBox;
using platform::TreeNodeFlags;

std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

// Two books of two pages each, and a third book without pages:
//   0 A (1: a1, 2: a2), 3 B (4: b1, 5: b2), 6 C
std::string library() {
  std::string content;
  appendTreeRecord(content, "A", 0, 0, 0, 0, 1);
  appendTreeRecord(content, "a1", 1, 1, 11, 0, 2);
  appendTreeRecord(content, "a2", 1, 1, 12, 0, 2);
  appendTreeRecord(content, "B", 0, 0, 0, 0, 1);
  appendTreeRecord(content, "b1", 1, 1, 21, 0, 2);
  appendTreeRecord(content, "b2", 1, 1, 22, 0, 2);
  appendTreeRecord(content, "C", 0, 0, 0, 0, 1);
  return content;
}

// Records what the tree raises, in order.
class TreeBoxTest : public ::testing::Test {
 protected:
  TreeBox tree{"tree"};
  std::vector<std::string> events;

  void SetUp() override {
    tree.onCurrentItemChanged = [this] { events.push_back("current " + std::to_string(tree.currentItem())); };
    tree.onDoubleClicked = [this] { events.push_back("double " + std::to_string(tree.currentItem())); };
    tree.onAboutToExpand = [this](int pos) { events.push_back("expand " + std::to_string(pos)); };
    tree.onAboutToCollapse = [this](int pos) { events.push_back("collapse " + std::to_string(pos)); };
    ASSERT_TRUE(tree.setContent(library()).ok());
  }
};

// Content records ---------------------------------------------------------------------

TEST(TreeContentRecord, IsTheLabelZeroAndFiveLittleEndianNumbers) {
  std::string record;
  appendTreeRecord(record, "书", 1, 2, -2, 0x10, 0x01020304);
  EXPECT_EQ(record, "书" + bytes({0, 1, 0, 0, 0, 2, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0x10, 0, 0, 0, 4, 3, 2, 1}));
}

TEST(TreeContentRecord, ParsedNodesKeepEveryField) {
  std::string content;
  appendTreeRecord(content, "数据类型", 7, -3, 0x7FFFFFFF, TreeNodeFlags::kBold, 1);
  appendTreeRecord(content, "", 2, 2, -1, 0, 2);
  TreeBox tree("tree");
  ASSERT_TRUE(tree.setContent(content).ok());
  ASSERT_EQ(tree.count(), 2);
  EXPECT_EQ(tree.itemText(0), "数据类型");
  EXPECT_EQ(tree.image(0), 7);
  EXPECT_EQ(tree.selectedImage(0), -3);
  EXPECT_EQ(tree.itemData(0), 0x7FFFFFFF);
  EXPECT_EQ(tree.nodes().node(0).flags, TreeNodeFlags::kBold);
  EXPECT_EQ(tree.itemText(1), "");
  EXPECT_EQ(tree.itemData(1), -1);
  EXPECT_EQ(tree.parentOf(1), 0);
}

TEST(TreeContentRecord, LevelsMakeChildrenSiblingsAndCloseRuns) {
  std::string content;
  appendTreeRecord(content, "r", 0, 0, 0, 0, 1);
  appendTreeRecord(content, "r.1", 0, 0, 0, 0, 2);
  appendTreeRecord(content, "r.1.1", 0, 0, 0, 0, 3);
  appendTreeRecord(content, "r.2", 0, 0, 0, 0, 2);
  appendTreeRecord(content, "s", 0, 0, 0, 0, 1);
  appendTreeRecord(content, "s.x", 0, 0, 0, 0, 5);  // any deeper level hangs under the node before it
  appendTreeRecord(content, "s.y", 0, 0, 0, 0, 4);  // shallower than s.x, deeper than s: s.x's sibling
  TreeBox tree("tree");
  ASSERT_TRUE(tree.setContent(content).ok());
  EXPECT_EQ((std::vector<int>{tree.parentOf(0), tree.parentOf(1), tree.parentOf(2), tree.parentOf(3), tree.parentOf(4),
                              tree.parentOf(5), tree.parentOf(6)}),
            (std::vector<int>{-1, 0, 1, 0, -1, 4, 4}));
  EXPECT_EQ(tree.nodes().node(0).subtreeEnd, 4);
  EXPECT_EQ(tree.nodes().node(1).subtreeEnd, 3);
  EXPECT_EQ(tree.nodes().node(4).subtreeEnd, 7);
  EXPECT_TRUE(tree.nodes().isDescendant(2, 0));
  EXPECT_FALSE(tree.nodes().isDescendant(4, 0));
  EXPECT_EQ(tree.nodes().ancestors(2), (std::vector<int>{0, 1}));
}

TEST(TreeContentRecord, MalformedContentIsRefusedAndChangesNothing) {
  const std::string good = library();
  std::string oneRecord;
  appendTreeRecord(oneRecord, "x", 0, 0, 0, 0, 1);
  std::string zeroLevel;
  appendTreeRecord(zeroLevel, "x", 0, 0, 0, 0, 0);
  std::string negativeLevel;
  appendTreeRecord(negativeLevel, "x", 0, 0, 0, 0, -1);
  struct Case {
    std::string content;
    std::size_t offset;
  };
  const std::vector<Case> cases = {
      {"no zero byte", 0},
      {oneRecord.substr(0, oneRecord.size() - 1), 0},  // the level cut short
      {oneRecord.substr(0, 2), 0},                     // nothing after the label
      {oneRecord + "y", oneRecord.size()},             // a second label without its zero
      {oneRecord + oneRecord.substr(0, 10), oneRecord.size()},
      {zeroLevel, 0},
      {oneRecord + negativeLevel, oneRecord.size()},
  };
  for (const Case& c : cases) {
    TreeBox tree("tree");
    ASSERT_TRUE(tree.setContent(good).ok());
    tree.setCurrentItem(4);
    auto error = tree.setContent(c.content);
    EXPECT_FALSE(error.ok()) << c.content.size();
    EXPECT_EQ(error.offset, c.offset) << error.message;
    EXPECT_EQ(tree.count(), 7);
    EXPECT_EQ(tree.currentItem(), 4);
    EXPECT_EQ(tree.itemText(5), "b2");
  }
}

// Reading items -------------------------------------------------------------------------

TEST_F(TreeBoxTest, OutsideTheTreeGivesEmptyTextDataZeroAndNoParent) {
  for (int pos : {-1, 7, 1000}) {
    EXPECT_EQ(tree.itemText(pos), "");
    EXPECT_EQ(tree.itemData(pos), 0);
    EXPECT_EQ(tree.parentOf(pos), -1);
    EXPECT_FALSE(tree.expanded(pos));
  }
  EXPECT_EQ(tree.itemData(5), 22);
  EXPECT_EQ(tree.parentOf(5), 3);
  EXPECT_EQ(tree.parentOf(6), -1);
}

TEST_F(TreeBoxTest, NewContentLeavesNoItemCurrentAndRaisesNothing) {
  tree.setCurrentItem(2);
  events.clear();
  ASSERT_TRUE(tree.setContent(library()).ok());
  EXPECT_EQ(tree.currentItem(), -1);
  EXPECT_FALSE(tree.expanded(0));
  EXPECT_TRUE(events.empty());
}

TEST_F(TreeBoxTest, ContentFlaggedExpandedStartsExpanded) {
  std::string content;
  appendTreeRecord(content, "open", 0, 0, 0, TreeNodeFlags::kExpanded, 1);
  appendTreeRecord(content, "page", 0, 0, 0, 0, 2);
  ASSERT_TRUE(tree.setContent(content).ok());
  EXPECT_TRUE(tree.expanded(0));
  tree.setCurrentItem(1);
  EXPECT_EQ(events, (std::vector<std::string>{"current 1"}));
}

// Current item and expansion ------------------------------------------------------------

TEST_F(TreeBoxTest, MakingAHiddenItemCurrentExpandsItsParentFirst) {
  tree.setCurrentItem(4);
  EXPECT_EQ(events, (std::vector<std::string>{"expand 3", "current 4"}));
  EXPECT_TRUE(tree.expanded(3));
  EXPECT_FALSE(tree.expanded(0));
  events.clear();
  tree.setCurrentItem(4);  // already current
  tree.setCurrentItem(5);  // parent already open
  tree.setCurrentItem(7);  // outside
  tree.setCurrentItem(-1);
  EXPECT_EQ(events, (std::vector<std::string>{"current 5"}));
  EXPECT_EQ(tree.currentItem(), 5);
}

TEST_F(TreeBoxTest, EnsureVisibleExpandsWithoutChangingTheCurrentItem) {
  tree.setCurrentItem(6);
  events.clear();
  tree.ensureVisible(1);
  EXPECT_EQ(events, (std::vector<std::string>{"expand 0"}));
  EXPECT_EQ(tree.currentItem(), 6);
  tree.ensureVisible(0);
  tree.ensureVisible(99);
  EXPECT_EQ(events.size(), 1u);
}

TEST_F(TreeBoxTest, UserExpandsAndCollapsesOnlyNodesWithChildren) {
  tree.userExpanding(0);
  tree.userExpanding(0);  // already open
  tree.userExpanding(6);  // no children
  tree.userExpanding(1);
  tree.userCollapsing(3);  // not open
  tree.userCollapsing(0);
  EXPECT_EQ(events, (std::vector<std::string>{"expand 0", "collapse 0"}));
  EXPECT_FALSE(tree.expanded(0));
}

TEST_F(TreeBoxTest, CollapsingTheCurrentItemsParentMakesTheParentCurrent) {
  tree.setCurrentItem(2);
  tree.userExpanding(3);
  events.clear();
  tree.userCollapsing(3);  // current item elsewhere: stays
  tree.userCollapsing(0);
  EXPECT_EQ(events, (std::vector<std::string>{"collapse 3", "collapse 0", "current 0"}));
  EXPECT_EQ(tree.currentItem(), 0);
}

TEST_F(TreeBoxTest, UserSelectionRaisesOnlyOnChange) {
  tree.userSelected(6);
  tree.userSelected(6);
  tree.userSelected(-5);
  EXPECT_EQ(events, (std::vector<std::string>{"current 6", "current -1"}));
}

TEST_F(TreeBoxTest, DoubleClickMakesTheItemCurrentFirst) {
  tree.userSelected(0);
  tree.userDoubleClicked(0);
  tree.userDoubleClicked(3);
  tree.userDoubleClicked(-1);  // on no item: the current one stays
  EXPECT_EQ(events, (std::vector<std::string>{"current 0", "double 0", "current 3", "double 3", "double 3"}));
}

}  // namespace
