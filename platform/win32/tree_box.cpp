#include "platform/win32/tree_box.h"

#include <algorithm>
#include <cstring>

namespace platform::win32 {
namespace {

// An image list of the pictures' size and no images: the tree view leaves each item the
// room of a picture, and draws none (the pictures are drawn at each item's post-paint).
OwnedImageList createPictureRoom(const TreePictures& pictures) {
  return OwnedImageList(ImageList_Create(pictures.width(), pictures.height(), ILC_COLOR24, 0, 1));
}

const NMTREEVIEWW& treeNotification(NMHDR* header) { return *reinterpret_cast<NMTREEVIEWW*>(header); }

constexpr LONG_PTR kScrollBars = WS_HSCROLL | WS_VSCROLL;

// Which scroll bars are on, with their ranges and places: what a paint should not change.
struct ScrollBars {
  LONG_PTR shown;
  SCROLLINFO bar[2];

  explicit ScrollBars(HWND hwnd) : shown(GetWindowLongPtrW(hwnd, GWL_STYLE) & kScrollBars), bar{} {
    for (int which : {SB_HORZ, SB_VERT}) {
      bar[which].cbSize = sizeof(SCROLLINFO);
      bar[which].fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
      GetScrollInfo(hwnd, which, &bar[which]);
    }
  }
  bool operator==(const ScrollBars& other) const {
    auto same = [](const SCROLLINFO& a, const SCROLLINFO& b) {
      return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
    };
    return shown == other.shown && same(bar[0], other.bar[0]) && same(bar[1], other.bar[1]);
  }
};

}  // namespace

void NativeTree::create(HWND parent) {
  NativeControl::create(
      parent, WC_TREEVIEWW,
      TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_NONEVENHEIGHT | WS_TABSTOP,
      WS_EX_CLIENTEDGE);
  pictureRoom_ = createPictureRoom(pictures_);
  SendMessageW(hwnd(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(pictureRoom_.get()));
  // A row holds one line of its label, but the tree view also counts the gap that the font
  // asks between lines (its external leading): a pixel more in each row, with which the
  // rows of the first view no longer fit the box. Odd heights are allowed (NONEVENHEIGHT).
  const LRESULT rowHeight = SendMessageW(hwnd(), TVM_GETITEMHEIGHT, 0, 0);
  SendMessageW(hwnd(), TVM_SETITEMHEIGHT,
               std::max<LRESULT>(rowHeight - controlFontMetrics().tmExternalLeading, pictures_.height()), 0);
  contentReplaced();
  subclass_.install<subclassProcedure>(hwnd(), reinterpret_cast<DWORD_PTR>(this));
}

// The tree view sets its scroll bars again at the end of each paint, and under Wine each
// set draws the bar again even when nothing changed: a themed bar costs dozens of round
// trips to the server, more than all the items. BeginPaint draws the frame with its bars;
// the items are then drawn with the bars' styles off, which leaves the bars as they are.
// Should the paint have changed a bar after all, the frame is drawn again.
void NativeTree::paintHoldingScrollBars() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd(), &paint);
  const ScrollBars before(hwnd());
  holdingScrollBars_ = true;
  SetWindowLongPtrW(hwnd(), GWL_STYLE, GetWindowLongPtrW(hwnd(), GWL_STYLE) & ~kScrollBars);
  WindowSubclass::passOn(hwnd(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  const LONG_PTR shownWhileHeld = GetWindowLongPtrW(hwnd(), GWL_STYLE) & kScrollBars;
  SetWindowLongPtrW(hwnd(), GWL_STYLE, GetWindowLongPtrW(hwnd(), GWL_STYLE) | before.shown);
  holdingScrollBars_ = false;
  EndPaint(hwnd(), &paint);
  if (shownWhileHeld || ScrollBars(hwnd()) != before) {
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
}

// The tree view chooses its scroll bars within the client area that its bars leave: with
// both on, it keeps both even where its nodes would need one or none. Once its size has
// changed it is told the whole area, bars left out, and chooses again; where it keeps
// both after all, it is told the area they leave, as before.
void NativeTree::chooseScrollBarsAgain() {
  if ((GetWindowLongPtrW(hwnd(), GWL_STYLE) & kScrollBars) != kScrollBars) return;
  RECT client{};
  GetClientRect(hwnd(), &client);
  const int wholeWidth = client.right + GetSystemMetrics(SM_CXVSCROLL);
  const int wholeHeight = client.bottom + GetSystemMetrics(SM_CYHSCROLL);
  WindowSubclass::passOn(hwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(wholeWidth, wholeHeight));
  if ((GetWindowLongPtrW(hwnd(), GWL_STYLE) & kScrollBars) == kScrollBars) {
    WindowSubclass::passOn(hwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  }
}

LRESULT NativeTree::subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR data) {
  auto* self = reinterpret_cast<NativeTree*>(data);
  if (message == WM_PAINT && !wParam) {
    self->paintHoldingScrollBars();
    return 0;
  }
  // The tree view takes a change of style as a reason to set its scroll bars again.
  if ((message == WM_STYLECHANGING || message == WM_STYLECHANGED) && self->holdingScrollBars_) return 0;
  if (message == WM_WINDOWPOSCHANGED && !(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOSIZE)) {
    const LRESULT result = WindowSubclass::passOn(hwnd, message, wParam, lParam);
    self->chooseScrollBarsAgain();
    return result;
  }
  return WindowSubclass::passOn(hwnd, message, wParam, lParam);
}

HTREEITEM NativeTree::item(int pos) {
  if (!tree_.nodes().contains(pos)) return nullptr;
  if (!items_[static_cast<std::size_t>(pos)]) {
    for (int ancestor : tree_.nodes().ancestors(pos)) insertChildren(ancestor);
  }
  return items_[static_cast<std::size_t>(pos)];
}

int NativeTree::positionOf(HTREEITEM handle) const {
  if (!handle) return -1;
  TVITEMW entry{};
  entry.mask = TVIF_HANDLE | TVIF_PARAM;
  entry.hItem = handle;
  if (!SendMessageW(hwnd(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&entry))) return -1;
  return static_cast<int>(entry.lParam);
}

void NativeTree::insertNode(int pos, HTREEITEM parent) {
  const TreeNode& node = tree_.nodes().node(pos);
  std::wstring label = wide(node.label);
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE | TVIF_CHILDREN;
  insert.item.pszText = label.data();
  insert.item.iImage = node.image;
  insert.item.iSelectedImage = node.selectedImage;
  insert.item.lParam = pos;
  insert.item.stateMask = TVIS_BOLD;
  insert.item.state = (node.flags & TreeNodeFlags::kBold) ? TVIS_BOLD : 0;
  // A button for a node whose children are not inserted yet.
  insert.item.cChildren = tree_.nodes().hasChildren(pos) ? 1 : 0;
  items_[static_cast<std::size_t>(pos)] =
      reinterpret_cast<HTREEITEM>(SendMessageW(hwnd(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

// The node's children, in order: each child's subtree ends where its next sibling starts.
void NativeTree::insertChildren(int pos) {
  const TreeModel& nodes = tree_.nodes();
  if (!nodes.hasChildren(pos) || childrenInserted_[static_cast<std::size_t>(pos)]) return;
  HTREEITEM parent = item(pos);
  if (!parent) return;
  childrenInserted_[static_cast<std::size_t>(pos)] = true;
  // Under a closed node the tree view only files the items; under an open one it would
  // measure them and set its scroll bars at each, so it waits for all of them.
  const bool open = SendMessageW(hwnd(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(parent), TVIS_EXPANDED) != 0;
  if (open) freeze();
  for (int child = pos + 1; child < nodes.node(pos).subtreeEnd; child = nodes.node(child).subtreeEnd) {
    insertNode(child, parent);
  }
  if (open) thaw();
}

void NativeTree::freeze() {
  if (frozen_++ == 0) SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
}

void NativeTree::thaw() {
  if (--frozen_ > 0) return;
  SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void NativeTree::contentReplaced() {
  ++echoing_;
  freeze();
  SendMessageW(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  const TreeModel& nodes = tree_.nodes();
  items_.assign(static_cast<std::size_t>(nodes.count()), nullptr);
  childrenInserted_.assign(static_cast<std::size_t>(nodes.count()), false);
  for (int pos = 0; pos < nodes.count(); pos = nodes.node(pos).subtreeEnd) insertNode(pos, TVI_ROOT);
  for (int pos = 0; pos < nodes.count(); ++pos) {
    if (nodes.node(pos).expanded) showExpanded(pos, true);
  }
  thaw();
  --echoing_;
}

void NativeTree::showCurrent(int pos) {
  ++echoing_;
  SendMessageW(hwnd(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item(pos)));
  --echoing_;
}

void NativeTree::showExpanded(int pos, bool expanded) {
  if (expanded) insertChildren(pos);
  ++echoing_;
  SendMessageW(hwnd(), TVM_EXPAND, expanded ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(item(pos)));
  --echoing_;
}

void NativeTree::showImages(int pos) {
  // A node not inserted yet takes its images from the model when it is.
  if (!tree_.nodes().contains(pos) || !items_[static_cast<std::size_t>(pos)]) return;
  TVITEMW entry{};
  entry.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  entry.hItem = items_[static_cast<std::size_t>(pos)];
  entry.iImage = tree_.image(pos);
  entry.iSelectedImage = tree_.selectedImage(pos);
  SendMessageW(hwnd(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&entry));
}

void NativeTree::scrollIntoView(int pos) {
  ++echoing_;
  SendMessageW(hwnd(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item(pos)));
  // The tree view also scrolls sideways to show all of a long label, which pushes the
  // books and their buttons out of sight; the labels all start near the left edge.
  SendMessageW(hwnd(), WM_HSCROLL, SB_LEFT, 0);
  --echoing_;
}

// The picture goes where the tree view leaves it room: just left of the label, centred
// in the item's height. The picture drawn is the one the tree view would pick.
LRESULT NativeTree::onCustomDraw(const NMTVCUSTOMDRAW& draw) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: return CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPOSTPAINT: break;
    default: return CDRF_DODEFAULT;
  }
  const int pos = static_cast<int>(draw.nmcd.lItemlParam);
  if (!tree_.nodes().contains(pos)) return CDRF_DODEFAULT;
  // TVM_GETITEMRECT takes the item in the rectangle that it fills.
  RECT label{};
  const auto item = reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec);
  std::memcpy(&label, &item, sizeof item);
  if (!SendMessageW(hwnd(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label))) return CDRF_DODEFAULT;
  const bool selected = (draw.nmcd.uItemState & CDIS_SELECTED) != 0;
  const int centre = (draw.nmcd.rc.top + draw.nmcd.rc.bottom) / 2;
  pictures_.draw(draw.nmcd.hdc, selected ? tree_.selectedImage(pos) : tree_.image(pos), label.left - pictures_.width(),
                 centre - pictures_.height() / 2);
  return CDRF_DODEFAULT;
}

// The tree view asks its parent how to notify (WM_NOTIFYFORMAT); both the A and the W
// codes are taken, as the fields read here lie at the same places in both.
bool NativeTree::onNotify(NMHDR* header, LRESULT& result) {
  result = 0;
  switch (header->code) {
    case TVN_SELCHANGEDW:
    case TVN_SELCHANGEDA:
      if (!echoing_) tree_.userSelected(static_cast<int>(treeNotification(header).itemNew.lParam));
      return true;
    case TVN_ITEMEXPANDINGW:
    case TVN_ITEMEXPANDINGA: {
      // Never stops the expansion or the collapse (result FALSE).
      const NMTREEVIEWW& change = treeNotification(header);
      const int pos = static_cast<int>(change.itemNew.lParam);
      const UINT action = change.action & (TVE_EXPAND | TVE_COLLAPSE);
      // The children must be there before the tree view opens the node.
      if (action == TVE_EXPAND) insertChildren(pos);
      if (echoing_) return true;
      if (action == TVE_EXPAND)
        tree_.userExpanding(pos);
      else if (action == TVE_COLLAPSE)
        tree_.userCollapsing(pos);
      return true;
    }
    case NM_CUSTOMDRAW: result = onCustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(header)); return true;
    case NM_DBLCLK:
      // The first click has already made the item under the mouse current.
      if (!echoing_) {
        tree_.userDoubleClicked(
            positionOf(reinterpret_cast<HTREEITEM>(SendMessageW(hwnd(), TVM_GETNEXTITEM, TVGN_CARET, 0))));
      }
      return true;
    default: return false;
  }
}

}  // namespace platform::win32
