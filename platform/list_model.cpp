#include "platform/list_model.h"

#include <algorithm>
#include <utility>

#include "base/sort_order.h"

namespace platform {

int ListModel::insert(std::string_view text, std::int32_t data, std::any payload) {
  auto at = items_.end();
  if (sorted_) {
    at = std::upper_bound(items_.begin(), items_.end(), text,
                          [](std::string_view t, const ListItem& item) { return base::sortsBefore(t, item.text); });
  }
  int pos = static_cast<int>(at - items_.begin());
  items_.insert(at, ListItem{gbk::Text(text), data, false, std::move(payload)});
  if (selection_ >= pos) ++selection_;
  return pos;
}

void ListModel::assignInOrder(std::vector<ListItem> items) {
  selection_ = -1;
  items_ = std::move(items);
}

void ListModel::assign(std::vector<ListItem> items) {
  const auto inOrder = [](const ListItem& a, const ListItem& b) { return base::sortsBefore(a.text, b.text); };
  if (!sorted_ || std::ranges::is_sorted(items, inOrder)) {
    assignInOrder(std::move(items));
    return;
  }
  selection_ = -1;
  // The positions are sorted and the items then moved once: a sort that moved the items
  // themselves would move each of them some ten times.
  std::vector<std::uint32_t> order(items.size());
  for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&items, &inOrder](std::uint32_t a, std::uint32_t b) { return inOrder(items[a], items[b]); });
  items_.clear();
  items_.reserve(items.size());
  for (std::uint32_t i : order) items_.push_back(std::move(items[i]));
}

void ListModel::erase(int pos) {
  if (!contains(pos)) return;
  items_.erase(items_.begin() + pos);
  if (selection_ == pos) {
    selection_ = -1;
  } else if (selection_ > pos) {
    --selection_;
  }
}

void ListModel::clear() {
  items_.clear();
  selection_ = -1;
}

void ListModel::setData(int pos, std::int32_t data) {
  if (contains(pos)) items_[static_cast<std::size_t>(pos)].data = data;
}

void ListModel::setChecked(int pos, bool checked) {
  if (contains(pos)) items_[static_cast<std::size_t>(pos)].checked = checked;
}

int ListModel::findPrefix(std::string_view prefix) const {
  for (int pos = 0; pos < count(); ++pos) {
    if (gbk::startsWithIgnoringAsciiCase(item(pos).text, prefix)) return pos;
  }
  return -1;
}

int ListModel::findPrefixAfter(std::string_view prefix, int from) const {
  for (int step = 1; step <= count(); ++step) {
    const int pos = (std::max(from, -1) + step) % count();
    if (gbk::startsWithIgnoringAsciiCase(item(pos).text, prefix)) return pos;
  }
  return -1;
}

}  // namespace platform
