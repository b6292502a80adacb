// The tree box: nodes addressed by pre-order position (see tree_model.h), the current
// item, expanded state and images, with the events that the category tree handles.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/controls.h"
#include "platform/tree_model.h"

namespace platform {

class TreePeer : public virtual ControlPeer {
 public:
  // Every node was replaced: show the model's nodes afresh (none current).
  virtual void contentReplaced() = 0;
  virtual void showCurrent(int pos) = 0;
  virtual void showExpanded(int pos, bool expanded) = 0;
  virtual void showImages(int pos) = 0;
  virtual void scrollIntoView(int pos) = 0;
};

class TreeBox : public Control {
 public:
  using Control::Control;

  const TreeModel& nodes() const { return nodes_; }
  int count() const { return nodes_.count(); }

  // Whole content (write). Leaves no item current and raises nothing; a malformed
  // content string changes nothing and comes back as the error.
  TreeContentError setContent(std::string_view content);

  // The current item's position, -1 if none.
  int currentItem() const { return current_; }
  // Makes the item current, expanding its collapsed parents first (each raises about to
  // expand, as a click on its button would); raises current item changed if the item
  // was not current already. A position outside the tree is ignored.
  void setCurrentItem(int pos);

  // Empty text, data 0 and parent -1 for a position outside the tree.
  gbk::Text itemText(int pos) const { return nodes_.contains(pos) ? gbk::Text(nodes_.node(pos).label) : gbk::Text(); }
  std::int32_t itemData(int pos) const { return nodes_.contains(pos) ? nodes_.node(pos).data : 0; }
  int parentOf(int pos) const { return nodes_.contains(pos) ? nodes_.node(pos).parent : -1; }
  std::int32_t image(int pos) const { return nodes_.contains(pos) ? nodes_.node(pos).image : -1; }
  std::int32_t selectedImage(int pos) const { return nodes_.contains(pos) ? nodes_.node(pos).selectedImage : -1; }
  bool expanded(int pos) const { return nodes_.contains(pos) && nodes_.node(pos).expanded; }

  void setImage(int pos, std::int32_t image);
  void setSelectedImage(int pos, std::int32_t image);

  // Expands the item's collapsed parents (raising about to expand) and scrolls it into view.
  void ensureVisible(int pos);

  Event onCurrentItemChanged;
  Event onDoubleClicked;
  // The position of the node about to be expanded or collapsed; the handlers cannot stop it.
  std::function<void(int pos)> onAboutToExpand;
  std::function<void(int pos)> onAboutToCollapse;

  // What the user did. The native tree has already done it on screen, so these change
  // the state without echo (what the handlers change in turn, images, is echoed).
  void userSelected(int pos);
  // A double-click on the item at `pos`: the first click has made it current.
  void userDoubleClicked(int pos);
  // A node's button, a double-click or the arrow keys expand or collapse a node. A
  // collapse that hides the current item makes the collapsed node current.
  void userExpanding(int pos);
  void userCollapsing(int pos);

 private:
  void expandAncestors(int pos);
  void makeCurrent(int pos, bool echo);

  TreeModel nodes_;
  int current_ = -1;
};

}  // namespace platform
