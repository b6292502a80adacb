// Nodes of a tree box, and the content byte string that fills it in one operation.
//
// Content: the records of all nodes in pre-order, each record
//   label       GBK bytes, then one zero byte
//   image       4 bytes, little-endian signed
//   selected    4 bytes, little-endian signed (image while selected)
//   item data   4 bytes, little-endian signed
//   state flags 4 bytes, little-endian (TreeNodeFlags)
//   level       4 bytes, little-endian signed, 1 for top-level nodes
// A record deeper than the one before it is that node's child; an equal level makes a
// sibling; a shallower one closes the deeper run.
//
// Nodes are addressed by their 0-based position in pre-order over all nodes, collapsed
// children counted: the position of a node never depends on what is expanded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/gbk_text.h"

namespace platform {

struct TreeNodeFlags {
  static constexpr std::uint32_t kExpanded = 0x1;  // the node starts expanded
  static constexpr std::uint32_t kBold = 0x2;      // the label is drawn bold
};

struct TreeNode {
  std::string_view label;  // in the model's copy of its content
  std::int32_t image = 0;
  std::int32_t selectedImage = 0;
  std::int32_t data = 0;
  std::uint32_t flags = 0;
  int parent = -1;     // position of the parent, -1 for a top-level node
  int subtreeEnd = 0;  // one past the position of the node's last descendant
  bool expanded = false;
};

// Appends one content record to `content`.
void appendTreeRecord(std::string& content, std::string_view label, std::int32_t image, std::int32_t selectedImage,
                      std::int32_t data, std::uint32_t flags, std::int32_t level);

// Why a content string was refused; `offset` is where its reading stopped.
struct TreeContentError {
  std::string message;  // empty when the content was read
  std::size_t offset = 0;
  bool ok() const { return message.empty(); }
};

class TreeModel {
 public:
  TreeModel() = default;
  // The labels view the model's own copy of its content: a copy would view the original's.
  TreeModel(const TreeModel&) = delete;
  TreeModel& operator=(const TreeModel&) = delete;

  int count() const { return static_cast<int>(nodes_.size()); }
  bool contains(int pos) const { return pos >= 0 && pos < count(); }
  const TreeNode& node(int pos) const { return nodes_[static_cast<std::size_t>(pos)]; }
  bool hasChildren(int pos) const { return contains(pos) && node(pos).subtreeEnd > pos + 1; }

  // Replaces every node by those of `content`; a malformed content string leaves the
  // nodes as they were and says why.
  TreeContentError replaceContent(std::string_view content);

  void setImage(int pos, std::int32_t image);
  void setSelectedImage(int pos, std::int32_t image);
  void setExpanded(int pos, bool expanded);

  // True when `pos` lies inside the subtree of `ancestor` (the node itself excluded).
  bool isDescendant(int pos, int ancestor) const;

  // The ancestors of `pos`, outermost first.
  std::vector<int> ancestors(int pos) const;

 private:
  std::vector<char> content_;
  std::vector<TreeNode> nodes_;
};

}  // namespace platform
