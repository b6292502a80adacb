#include "platform/win32/tree_box.h"

#include "platform/win32/display_scale.h"
#include "platform/win32/tree_icons.h"

namespace platform::win32 {
namespace {

// Stands in for the transparent pixels of the pictures; no picture uses it.
constexpr COLORREF kMaskColour = RGB(255, 0, 255);

// The three pictures side by side in one strip, added to a masked image list. They are
// enlarged to the screen's scale pixel by pixel: pixel art stays sharp that way.
OwnedImageList createTreeImages() {
  using namespace tree_icons;
  const int count = static_cast<int>(kImages.size());
  const int width = displayScale().px(kWidth), height = displayScale().px(kHeight);
  OwnedImageList list(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, count, 0));
  if (!list) return list;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width * count;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  OwnedBitmap strip(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!strip) return list;
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int image = 0; image < count; ++image) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        COLORREF colour = colourOf(kImages[static_cast<std::size_t>(image)][static_cast<std::size_t>(y * kHeight / height)]
                                          [static_cast<std::size_t>(x * kWidth / width)])
                              .value_or(kMaskColour);
        // A DIB pixel is 0x00RRGGBB, the reverse of a colour value.
        pixels[y * width * count + image * width + x] =
            (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
      }
    }
  }
  GdiFlush();
  ImageList_AddMasked(list.get(), strip.get(), kMaskColour);
  return list;
}

const NMTREEVIEWW& treeNotification(NMHDR* header) { return *reinterpret_cast<NMTREEVIEWW*>(header); }

}  // namespace

void NativeTree::create(HWND parent) {
  NativeControl::create(parent, WC_TREEVIEWW,
                        TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP,
                        WS_EX_CLIENTEDGE);
  images_ = createTreeImages();
  SendMessageW(hwnd(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_.get()));
  contentReplaced();
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
  freeze();
  for (int child = pos + 1; child < nodes.node(pos).subtreeEnd; child = nodes.node(child).subtreeEnd) {
    insertNode(child, parent);
  }
  thaw();
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
      if (action == TVE_EXPAND) tree_.userExpanding(pos);
      else if (action == TVE_COLLAPSE) tree_.userCollapsing(pos);
      return true;
    }
    case NM_DBLCLK:
      // The first click has already made the item under the mouse current.
      if (!echoing_) {
        tree_.userDoubleClicked(positionOf(reinterpret_cast<HTREEITEM>(
            SendMessageW(hwnd(), TVM_GETNEXTITEM, TVGN_CARET, 0))));
      }
      return true;
    default:
      return false;
  }
}

}  // namespace platform::win32
