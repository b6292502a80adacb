// Items of a list box, a check list box or a drop-down list: text, item data, check
// mark and what the item stands for, in the list's order, and the current selection. A sorted list keeps its items
// in the wizard's one sort order whatever the order of adding.
#pragma once

#include <any>
#include <cstdint>
#include <vector>

#include "base/gbk_text.h"

namespace platform {

struct ListItem {
  gbk::Text text;
  std::int32_t data = 0;
  bool checked = false;
  // What the item stands for, as the code that filled the list typed it: that code reads
  // it back instead of the text. The list never looks into it.
  std::any payload{};
};

class ListModel {
 public:
  explicit ListModel(bool sorted) : sorted_(sorted) {}

  bool sorted() const { return sorted_; }
  int count() const { return static_cast<int>(items_.size()); }
  bool contains(int pos) const { return pos >= 0 && pos < count(); }
  const ListItem& item(int pos) const { return items_[static_cast<std::size_t>(pos)]; }
  const std::vector<ListItem>& all() const { return items_; }

  // Returns the new item's position: its sorted place, or the end of an unsorted list.
  int insert(std::string_view text, std::int32_t data, std::any payload = {});
  // Replaces every item at once, in the order that inserting them one by one gives
  // (sorted once, equal texts in the order given), with nothing selected.
  void assign(std::vector<ListItem> items);
  // Replaces every item at once in the order given, also in a sorted list: for a list
  // whose order its filler owns (the index lists the Chinese names before the English).
  // Nothing is selected after it.
  void assignInOrder(std::vector<ListItem> items);
  void erase(int pos);
  void clear();
  void setData(int pos, std::int32_t data);
  void setChecked(int pos, bool checked);

  int selection() const { return selection_; }
  void select(int pos) { selection_ = contains(pos) ? pos : -1; }

  // The first position, from 0, whose text begins with `prefix` (ASCII case ignored); -1 if none.
  int findPrefix(std::string_view prefix) const;
  // A list's own type-ahead: the first position after `from` whose text begins with
  // `prefix` (ASCII case ignored), going on from the top past the end; -1 if none.
  int findPrefixAfter(std::string_view prefix, int from) const;

 private:
  bool sorted_;
  std::vector<ListItem> items_;
  int selection_ = -1;
};

}  // namespace platform
