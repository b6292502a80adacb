#include "platform/tree_box.h"

namespace platform {

TreeContentError TreeBox::setContent(std::string_view content) {
  TreeContentError error = nodes_.replaceContent(content);
  if (!error.ok()) return error;
  current_ = -1;
  if (auto* p = peerAs<TreePeer>()) p->contentReplaced();
  return error;
}

void TreeBox::setCurrentItem(int pos) {
  if (!nodes_.contains(pos)) return;
  expandAncestors(pos);
  if (pos != current_) makeCurrent(pos, true);
}

void TreeBox::setImage(int pos, std::int32_t image) {
  if (!nodes_.contains(pos)) return;
  nodes_.setImage(pos, image);
  if (auto* p = peerAs<TreePeer>()) p->showImages(pos);
}

void TreeBox::setSelectedImage(int pos, std::int32_t image) {
  if (!nodes_.contains(pos)) return;
  nodes_.setSelectedImage(pos, image);
  if (auto* p = peerAs<TreePeer>()) p->showImages(pos);
}

void TreeBox::ensureVisible(int pos) {
  if (!nodes_.contains(pos)) return;
  expandAncestors(pos);
  if (auto* p = peerAs<TreePeer>()) p->scrollIntoView(pos);
}

void TreeBox::userSelected(int pos) {
  if (!nodes_.contains(pos)) pos = -1;
  if (pos != current_) makeCurrent(pos, false);
}

void TreeBox::userDoubleClicked(int pos) {
  if (nodes_.contains(pos) && pos != current_) makeCurrent(pos, false);
  if (onDoubleClicked) onDoubleClicked();
}

void TreeBox::userExpanding(int pos) {
  if (!nodes_.hasChildren(pos) || nodes_.node(pos).expanded) return;
  if (onAboutToExpand) onAboutToExpand(pos);
  nodes_.setExpanded(pos, true);
}

void TreeBox::userCollapsing(int pos) {
  if (!nodes_.contains(pos) || !nodes_.node(pos).expanded) return;
  if (onAboutToCollapse) onAboutToCollapse(pos);
  nodes_.setExpanded(pos, false);
  // The native tree moves the selection out of a collapsed branch too; telling it
  // first keeps both sides in step whichever of them gets there first.
  if (nodes_.isDescendant(current_, pos)) makeCurrent(pos, true);
}

void TreeBox::expandAncestors(int pos) {
  for (int ancestor : nodes_.ancestors(pos)) {
    if (nodes_.node(ancestor).expanded) continue;
    if (onAboutToExpand) onAboutToExpand(ancestor);
    nodes_.setExpanded(ancestor, true);
    if (auto* p = peerAs<TreePeer>()) p->showExpanded(ancestor, true);
  }
}

void TreeBox::makeCurrent(int pos, bool echo) {
  current_ = pos;
  if (echo) {
    if (auto* p = peerAs<TreePeer>()) p->showCurrent(pos);
  }
  if (onCurrentItemChanged) onCurrentItemChanged();
}

}  // namespace platform
