// The tree box: the native tree shows the model's nodes with their pre-order positions;
// a click, a key or a node's button raises the model's events with the right node, and
// what the program does is shown without raising them twice; each node shows its picture.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <ostream>

#include "peer_test.h"
#include "platform/win32/tree_box.h"
#include "platform/win32/tree_pictures.h"

namespace platform::win32::testing {
namespace {

// Pre-order positions: 0 窗口 (1 创建窗口, 2 销毁窗口), 3 文件 (4 读写 (5 读文件)), 6 其他.
std::string treeContent() {
  std::string content;
  appendTreeRecord(content, "窗口", 0, 1, 10, 0, 1);
  appendTreeRecord(content, "创建窗口", 2, 2, 11, 0, 2);
  appendTreeRecord(content, "销毁窗口", 2, 2, 12, 0, 2);
  appendTreeRecord(content, "文件", 0, 1, 20, TreeNodeFlags::kBold, 1);
  appendTreeRecord(content, "读写", 0, 1, 21, 0, 2);
  appendTreeRecord(content, "读文件", 2, 2, 22, 0, 3);
  appendTreeRecord(content, "其他", 2, 2, 30, 0, 1);
  return content;
}

// One native item as the user sees it.
struct ShownNode {
  std::string label;
  int pos;
  bool bold, hasButton;
  bool operator==(const ShownNode&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ShownNode& n) {
  return out << n.label << " @" << n.pos << (n.bold ? " bold" : "") << (n.hasButton ? " button" : "");
}

class TreeBoxTest : public PeerTest {
 protected:
  TreeBoxTest() {
    EXPECT_TRUE(tree.setContent(treeContent()).ok());
    native = make<NativeTree>(tree, {10, 10, 300, 400}).hwnd();
    tree.onCurrentItemChanged = [this] { events.add("current " + std::to_string(tree.currentItem())); };
    tree.onDoubleClicked = [this] { events.add("double-clicked " + std::to_string(tree.currentItem())); };
    tree.onAboutToExpand = [this](int pos) { events.add("expanding " + std::to_string(pos)); };
    tree.onAboutToCollapse = [this](int pos) { events.add("collapsing " + std::to_string(pos)); };
  }

  // What the tree view holds for one of its items.
  struct NativeItem {
    std::string label;
    int pos;
    UINT state;
    bool hasButton;
    int image;
  };
  NativeItem read(HTREEITEM item) const {
    wchar_t label[64] = {};
    TVITEMW e{};
    e.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM | TVIF_STATE | TVIF_CHILDREN | TVIF_IMAGE;
    e.hItem = item;
    e.stateMask = TVIS_BOLD | TVIS_EXPANDED;
    e.pszText = label;
    e.cchTextMax = 64;
    SendMessageW(native, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&e));
    return {narrow(label), static_cast<int>(e.lParam), e.state, e.cChildren != 0, e.iImage};
  }

  HTREEITEM next(HTREEITEM item, UINT relation) const {
    return reinterpret_cast<HTREEITEM>(SendMessageW(native, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  }

  // The children of a native item (the top level for null) as shown.
  std::vector<ShownNode> shownChildren(HTREEITEM parent) const {
    std::vector<ShownNode> shown;
    for (HTREEITEM item = next(parent, parent ? TVGN_CHILD : TVGN_ROOT); item; item = next(item, TVGN_NEXT)) {
      const NativeItem shownItem = read(item);
      shown.push_back({shownItem.label, shownItem.pos, (shownItem.state & TVIS_BOLD) != 0, shownItem.hasButton});
    }
    return shown;
  }

  HTREEITEM shownItem(int pos) const {
    for (HTREEITEM item = next(nullptr, TVGN_ROOT); item; item = next(item, TVGN_NEXTVISIBLE)) {
      if (read(item).pos == pos) return item;
    }
    return nullptr;
  }

  int shownCurrent() const {
    HTREEITEM caret = next(nullptr, TVGN_CARET);
    return caret ? read(caret).pos : -1;
  }
  bool shownExpanded(int pos) const { return (read(shownItem(pos)).state & TVIS_EXPANDED) != 0; }

  RECT labelRect(int pos) const {
    // The message takes the item in the rectangle's first bytes.
    RECT r{};
    const HTREEITEM item = shownItem(pos);
    std::memcpy(&r, &item, sizeof item);
    SendMessageW(native, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
    return r;
  }

  // The point of the node's button, found as the tree view's own hit test finds it.
  POINT button(int pos) const {
    const RECT label = labelRect(pos);
    TVHITTESTINFO hit{};
    for (hit.pt = {0, centre(label).y}; hit.pt.x < label.left; ++hit.pt.x) {
      SendMessageW(native, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if ((hit.flags & TVHT_ONITEMBUTTON) && hit.hItem == shownItem(pos)) return hit.pt;
    }
    ADD_FAILURE() << "no button beside node " << pos;
    return {};
  }

  TreeBox tree{"树型框_分类"};
  HWND native = nullptr;
};

TEST_F(TreeBoxTest, ShowsTheModelsNodesWithTheirPositions) {
  // The focus makes the first node current (the next test's table has it).
  SetFocus(native);
  events.take();
  EXPECT_EQ(shownChildren(nullptr),
            (std::vector<ShownNode>{{"窗口", 0, false, true}, {"文件", 3, true, true}, {"其他", 6, false, false}}));
  click(native, button(3));
  EXPECT_EQ(shownChildren(shownItem(3)), (std::vector<ShownNode>{{"读写", 4, false, true}}));
  click(native, button(4));
  EXPECT_EQ(shownChildren(shownItem(4)), (std::vector<ShownNode>{{"读文件", 5, false, false}}));
  EXPECT_EQ(events.take(), (std::vector<std::string>{"expanding 3", "expanding 4"}));
}

TEST_F(TreeBoxTest, TheUsersClicksAndKeysRaiseTheModelsEventsWithTheRightNode) {
  struct Step {
    const char* what;
    std::function<void()> act;
    std::vector<std::string> events;
    int current;
  };
  const Step steps[] = {
      // As on Windows, the tree view makes its first item current when the focus comes to it.
      {"the focus comes to the tree", [&] { SetFocus(native); }, {"current 0"}, 0},
      {"click on 文件", [&] { click(native, centre(labelRect(3))); }, {"current 3"}, 3},
      {"right arrow opens it", [&] { pressKey(native, VK_RIGHT); }, {"expanding 3"}, 3},
      {"down arrow to 读写", [&] { pressKey(native, VK_DOWN); }, {"current 4"}, 4},
      {"its button opens it", [&] { click(native, button(4)); }, {"expanding 4"}, 4},
      {"click on 读文件", [&] { click(native, centre(labelRect(5))); }, {"current 5"}, 5},
      {"文件's button closes it over the current item",
       [&] { click(native, button(3)); },
       {"collapsing 3", "current 3"},
       3},
      {"double-click on 其他",
       [&] { doubleClick(native, centre(labelRect(6))); },
       {"current 6", "double-clicked 6"},
       6},
      {"left arrow on a leaf", [&] { pressKey(native, VK_LEFT); }, {}, 6},
      {"click on 窗口", [&] { click(native, centre(labelRect(0))); }, {"current 0"}, 0},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(events.take(), step.events) << step.what;
    EXPECT_EQ(tree.currentItem(), step.current) << step.what;
    EXPECT_EQ(shownCurrent(), step.current) << step.what;
  }
  EXPECT_TRUE(tree.expanded(4));
  EXPECT_FALSE(tree.expanded(3));
}

TEST_F(TreeBoxTest, WhatTheProgramDoesIsShownAndRaisedOnce) {
  tree.setCurrentItem(5);
  EXPECT_EQ(events.take(), (std::vector<std::string>{"expanding 3", "expanding 4", "current 5"}));
  EXPECT_EQ(shownCurrent(), 5);
  EXPECT_TRUE(shownExpanded(3));
  EXPECT_TRUE(shownExpanded(4));

  tree.setImage(5, 1);
  EXPECT_EQ(read(shownItem(5)).image, 1);

  // New content: nothing current, nothing raised, the new nodes shown.
  std::string content;
  appendTreeRecord(content, "类型", 0, 1, 40, 0, 1);
  ASSERT_TRUE(tree.setContent(content).ok());
  EXPECT_EQ(shownChildren(nullptr), (std::vector<ShownNode>{{"类型", 0, false, false}}));
  EXPECT_EQ(shownCurrent(), -1);
  EXPECT_TRUE(events.take().empty());
}

// Pixels of a 32-bit top-down bitmap that a DC draws on.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF background) : width_(width) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels_), nullptr, 0));
    dc_.reset(CreateCompatibleDC(nullptr));
    SelectObject(dc_.get(), bitmap_.get());
    const RECT all{0, 0, width, height};
    FillRect(dc_.get(), &all, Owned<HBRUSH, DeleteObject>(CreateSolidBrush(background)).get());
  }
  HDC dc() const { return dc_.get(); }
  std::uint32_t at(int x, int y) const {
    GdiFlush();
    return pixels_[y * width_ + x];
  }

 private:
  int width_;
  std::uint32_t* pixels_ = nullptr;
  OwnedBitmap bitmap_;
  MemoryDc dc_;
};

TEST_F(TreeBoxTest, EachNodeShowsItsPictureLeftOfItsLabel) {
  const TreePictures pictures;
  const int w = pictures.width(), h = pictures.height();
  // Where a picture is not transparent, it draws the same on white and on black.
  auto shows = [&](const Canvas& tree, int pos, int picture) {
    Canvas onWhite(w, h, RGB(255, 255, 255)), onBlack(w, h, RGB(0, 0, 0));
    pictures.draw(onWhite.dc(), picture, 0, 0);
    pictures.draw(onBlack.dc(), picture, 0, 0);
    const RECT label = labelRect(pos);
    const int left = label.left - w, top = (label.top + label.bottom) / 2 - h / 2;
    int opaque = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (onWhite.at(x, y) != onBlack.at(x, y)) continue;
        ++opaque;
        if (tree.at(left + x, top + y) != onWhite.at(x, y)) return false;
      }
    }
    return opaque > w * h / 3;
  };
  auto painted = [&] {
    RECT client{};
    GetClientRect(native, &client);
    auto canvas = std::make_unique<Canvas>(client.right, client.bottom, RGB(255, 255, 255));
    SendMessageW(native, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc()), PRF_CLIENT | PRF_ERASEBKGND);
    return canvas;
  };
  {
    auto tree = painted();
    EXPECT_TRUE(shows(*tree, 0, 0));  // a closed book
    EXPECT_TRUE(shows(*tree, 6, 2));  // an open book
    EXPECT_FALSE(shows(*tree, 6, 0));
  }
  tree.setCurrentItem(6);
  EXPECT_TRUE(shows(*painted(), 6, 2));  // its selected picture
  tree.setCurrentItem(0);
  EXPECT_TRUE(shows(*painted(), 0, 1));  // a page, its selected picture
}

// Too small for its nodes, the tree shows both scroll bars; a paint draws the items and
// leaves the bars as the tree view set them.
TEST_F(TreeBoxTest, APaintDrawsTheItemsAndLeavesTheScrollBarsAsTheyWereSet) {
  tree.setRect({10, 10, 110, 60});
  tree.setCurrentItem(5);
  settle();
  struct Bars {
    LONG_PTR shown;
    std::vector<int> ranges;  // min, max, page, position of the horizontal bar, then the vertical
    bool operator==(const Bars&) const = default;
  };
  auto bars = [&] {
    Bars now{GetWindowLongPtrW(native, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), {}};
    for (int bar : {SB_HORZ, SB_VERT}) {
      SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
      GetScrollInfo(native, bar, &info);
      now.ranges.insert(now.ranges.end(), {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos});
    }
    return now;
  };
  const Bars set = bars();
  ASSERT_EQ(set.shown, WS_HSCROLL | WS_VSCROLL);

  RedrawWindow(native, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_EQ(bars(), set);
  const ShownPicture shown(native);
  RECT label = labelRect(5), client{};
  GetClientRect(native, &client);
  IntersectRect(&label, &label, &client);
  const COLORREF background = shown.at({label.left - 1, label.top});
  int inked = 0;
  for (LONG y = label.top; y < label.bottom; ++y) {
    for (LONG x = label.left; x < label.right; ++x) inked += shown.at({x, y}) != background;
  }
  EXPECT_GT(inked, 0) << "the current node's label is not drawn";
}

// Made smaller than its nodes and then as large as before, the tree shows the bars that
// its nodes need at that size: none where they fit, though not beside a bar; the vertical
// alone where they are too many for the height but fit beside it.
TEST_F(TreeBoxTest, GrownBackItShowsOnlyTheScrollBarsItsNodesNeed) {
  tree.setCurrentItem(5);
  settle();
  int widest = 0, lowest = 0;
  for (int pos : {0, 1, 2, 3, 4, 5, 6}) {
    widest = std::max<int>(widest, labelRect(pos).right);
    lowest = std::max<int>(lowest, labelRect(pos).bottom);
  }
  auto barsAt = [&](int clientWidth, int clientHeight) {
    tree.setRect(
        {10, 10, clientWidth + 2 * GetSystemMetrics(SM_CXEDGE), clientHeight + 2 * GetSystemMetrics(SM_CYEDGE)});
    settle();
    return GetWindowLongPtrW(native, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL);
  };
  // Fits, but not beside a bar: within a bar's width of each edge.
  const int fitsWidth = widest + 8, fitsHeight = lowest + 8;

  ASSERT_EQ(barsAt(fitsWidth, fitsHeight), 0);
  ASSERT_EQ(barsAt(60, 40), WS_HSCROLL | WS_VSCROLL);
  EXPECT_EQ(barsAt(fitsWidth, fitsHeight), 0);
  ASSERT_EQ(barsAt(60, 40), WS_HSCROLL | WS_VSCROLL);
  // Keeping both, it pages by the rows that the area between them holds.
  RECT client{};
  GetClientRect(native, &client);
  SCROLLINFO vertical{sizeof vertical, SIF_PAGE, 0, 0, 0, 0, 0};
  GetScrollInfo(native, SB_VERT, &vertical);
  EXPECT_EQ(static_cast<LRESULT>(vertical.nPage), client.bottom / SendMessageW(native, TVM_GETITEMHEIGHT, 0, 0));
  EXPECT_EQ(barsAt(fitsWidth + GetSystemMetrics(SM_CXVSCROLL), lowest / 2), WS_VSCROLL);
}

}  // namespace
}  // namespace platform::win32::testing
