#include "platform/tree_model.h"

#include <algorithm>

#include "base/byte_cursor.h"
#include "base/byte_writer.h"

namespace platform {
namespace {

constexpr std::size_t kNumberFields = 5;
constexpr std::size_t kRecordTail = kNumberFields * 4;

}  // namespace

void appendTreeRecord(std::string& content, std::string_view label, std::int32_t image, std::int32_t selectedImage,
                      std::int32_t data, std::uint32_t flags, std::int32_t level) {
  char tail[1 + kRecordTail];
  tail[0] = '\0';
  char* at = tail + 1;
  for (std::uint32_t field : {static_cast<std::uint32_t>(image), static_cast<std::uint32_t>(selectedImage),
                              static_cast<std::uint32_t>(data), flags, static_cast<std::uint32_t>(level)}) {
    at = base::putLittleEndian32(at, field);
  }
  content.append(label);
  content.append(tail, sizeof tail);
}

TreeContentError TreeModel::replaceContent(std::string_view content) {
  // One copy of the content holds every label: no label of thousands is allocated alone.
  std::vector<char> copy(content.begin(), content.end());
  std::vector<TreeNode> nodes;
  // The open run: positions of the nodes that a deeper record would hang under, with their levels.
  std::vector<std::pair<int, std::int32_t>> open;
  base::ByteCursor cursor({reinterpret_cast<const unsigned char*>(copy.data()), copy.size()});
  // Each record takes at least 21 bytes, so the content bounds the loop.
  while (!cursor.atEnd()) {
    const auto start = static_cast<std::size_t>(cursor.offset());
    std::span<const unsigned char> label;
    if (!cursor.takeNulTerminated(label)) return {"a label has no terminating zero byte", start};
    std::uint32_t fields[kNumberFields];
    for (auto& field : fields) {
      if (!cursor.readU32(field)) {
        return {"a record ends before its " + std::to_string(kRecordTail) + " bytes of numbers", start};
      }
    }
    const auto level = static_cast<std::int32_t>(fields[4]);
    if (level < 1) return {"a record has a level below 1", start};

    while (!open.empty() && open.back().second >= level) {
      nodes[static_cast<std::size_t>(open.back().first)].subtreeEnd = static_cast<int>(nodes.size());
      open.pop_back();
    }
    TreeNode node;
    node.label = {reinterpret_cast<const char*>(label.data()), label.size()};
    node.image = static_cast<std::int32_t>(fields[0]);
    node.selectedImage = static_cast<std::int32_t>(fields[1]);
    node.data = static_cast<std::int32_t>(fields[2]);
    node.flags = fields[3];
    node.expanded = (fields[3] & TreeNodeFlags::kExpanded) != 0;
    node.parent = open.empty() ? -1 : open.back().first;
    open.emplace_back(static_cast<int>(nodes.size()), level);
    nodes.push_back(std::move(node));
  }
  for (const auto& [pos, level] : open)
    nodes[static_cast<std::size_t>(pos)].subtreeEnd = static_cast<int>(nodes.size());
  content_ = std::move(copy);
  nodes_ = std::move(nodes);
  return {};
}

void TreeModel::setImage(int pos, std::int32_t image) {
  if (contains(pos)) nodes_[static_cast<std::size_t>(pos)].image = image;
}

void TreeModel::setSelectedImage(int pos, std::int32_t image) {
  if (contains(pos)) nodes_[static_cast<std::size_t>(pos)].selectedImage = image;
}

void TreeModel::setExpanded(int pos, bool expanded) {
  if (contains(pos)) nodes_[static_cast<std::size_t>(pos)].expanded = expanded;
}

bool TreeModel::isDescendant(int pos, int ancestor) const {
  return contains(pos) && contains(ancestor) && pos > ancestor && pos < node(ancestor).subtreeEnd;
}

std::vector<int> TreeModel::ancestors(int pos) const {
  std::vector<int> chain;
  if (!contains(pos)) return chain;
  for (int p = node(pos).parent; p >= 0; p = node(p).parent) chain.push_back(p);
  std::reverse(chain.begin(), chain.end());
  return chain;
}

}  // namespace platform
