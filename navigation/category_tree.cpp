#include "navigation/category_tree.h"

#include <optional>
#include <utility>

#include "navigation/chosen_lists.h"
#include "view/declaration_view.h"
#include "window/wizard.h"

namespace navigation {
namespace {

// The design tells a data type node by its parent, the node "数据类型".
bool isDataTypeNode(const platform::TreeBox& tree, int pos) {
  return tree.itemText(tree.parentOf(pos)) == kDataTypeNodeLabel;
}

// What the node at `pos` stands for: the API of its entry, or the data type it is
// labelled with; none for a node that groups (item data 0).
std::optional<CatalogItem> itemOfNode(const platform::TreeBox& tree, const library::Catalog& catalog, int pos) {
  const std::int32_t entryNumber = tree.itemData(pos);
  if (entryNumber == 0) return std::nullopt;
  if (!isDataTypeNode(tree, pos)) return apiOfEntry(catalog, entryNumber);
  // A data type node's label is the name as the catalog writes it, whole.
  return CatalogItem{library::DeclarationKind::dataType, entryNumber, tree.itemText(pos)};
}

}  // namespace

void fillCategoryTree(window::StartupWindow& w, const library::Catalog& catalog) {
  platform::TreeBox& tree = w.树型框_API目录;
  const int previous = tree.currentItem();
  const bool chinese = w.单选框_中文树形框.checked();
  // The build made the built-in catalog's tree with Chinese labels, the one shown at start.
  gbk::Text built;
  std::string_view content = chinese ? catalog.chineseTree() : std::string_view();
  if (content.empty()) content = built = buildCategoryTreeContent(catalog, chinese);
  // The content is ours and always well formed; a refusal would keep the old tree.
  if (!tree.setContent(content).ok()) return;
  // Only the labels differ between the languages, so a position names the same node
  // again; a top-level node at 0 (or none) gives way to the first API.
  const int pos = previous > 0 ? previous : 1;
  tree.setCurrentItem(pos);
  tree.ensureVisible(pos);
  tree.setFocus();
}

void 树型框_API目录_currentItemChanged(window::StartupWindow& w, const library::Library& library) {
  platform::TreeBox& tree = w.树型框_API目录;
  const int current = tree.currentItem();
  const std::optional<CatalogItem> item = itemOfNode(tree, library.catalog, current);
  const bool dataType = item && item->kind == library::DeclarationKind::dataType;
  window::showInStatusBar(w, dataType ? "数据类型：" : "API：", tree.itemText(current));
  if (item) {
    view::CoverWhileRefilling cover(w);
    view::showDeclaration(w, library, declarationOf(*item));
  } else {
    view::showNothing(w);
  }
  tree.setFocus();
}

void 树型框_API目录_doubleClicked(window::StartupWindow& w, const library::Catalog& catalog) {
  showChosenApiPage(w);
  platform::TreeBox& tree = w.树型框_API目录;
  // The chosen list names an API by both names, whichever of them the tree shows.
  if (std::optional<CatalogItem> item = itemOfNode(tree, catalog, tree.currentItem())) {
    addToChosenApiList(w.选择列表框_选用API, catalog, std::move(*item));
  }
}

void 树型框_API目录_aboutToExpand(platform::TreeBox& tree, int pos) {
  tree.setImage(pos, kOpenBookImage);
  tree.setSelectedImage(pos, kOpenBookImage);
}

void 树型框_API目录_aboutToCollapse(platform::TreeBox& tree, int pos) {
  tree.setImage(pos, kClosedBookImage);
  tree.setSelectedImage(pos, kClosedBookImage);
}

void 单选框_中文树形框_clicked(window::StartupWindow& w, const library::Catalog& catalog) {
  fillCategoryTree(w, catalog);
}

void 单选框_英文树形框_clicked(window::StartupWindow& w, const library::Catalog& catalog) {
  fillCategoryTree(w, catalog);
}

}  // namespace navigation
