// The tree box: a native tree view that shows the model's nodes, with the pictures of
// tree_icons.h. Each native item carries its model position as its lParam.
//
// A node's children go into the native tree when it first needs them (the node is
// expanded, or one of them is made current or scrolled to): a fill then inserts a few
// dozen items instead of every node, which keeps start-up and the language switch
// quick. Positions stay those of the model whatever has been inserted.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "platform/tree_box.h"
#include "platform/win32/handles.h"
#include "platform/win32/native_control.h"
#include "platform/win32/tree_pictures.h"

namespace platform::win32 {

class NativeTree : public NativeControl, public TreePeer {
 public:
  explicit NativeTree(TreeBox& model) : NativeControl(model), tree_(model) {}
  void create(HWND parent);

  void showText(std::string_view) override {}
  void contentReplaced() override;
  void showCurrent(int pos) override;
  void showExpanded(int pos, bool expanded) override;
  void showImages(int pos) override;
  void scrollIntoView(int pos) override;
  bool onNotify(NMHDR* header, LRESULT& result) override;

 private:
  // The item of a position, inserting its ancestors' children if they are not there yet.
  HTREEITEM item(int pos);
  int positionOf(HTREEITEM item) const;
  void insertNode(int pos, HTREEITEM parent);
  void insertChildren(int pos);
  LRESULT onCustomDraw(const NMTVCUSTOMDRAW& draw);
  void paintHoldingScrollBars();
  void chooseScrollBarsAgain();
  static LRESULT subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR data);
  // Drawing stays off from the outermost freeze to its thaw.
  void freeze();
  void thaw();

  TreeBox& tree_;
  std::vector<HTREEITEM> items_;  // by model position; null until inserted
  std::vector<bool> childrenInserted_;
  TreePictures pictures_;
  OwnedImageList pictureRoom_;
  // Above 0 while the model's changes are passed on: what the tree view reports then
  // is its echo, not the user's doing.
  int echoing_ = 0;
  int frozen_ = 0;
  // The scroll bars' styles are off while the tree view paints its items.
  bool holdingScrollBars_ = false;
  WindowSubclass subclass_;
};

}  // namespace platform::win32
