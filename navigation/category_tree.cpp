#include "navigation/category_tree.h"

#include "window/wizard.h"
#include "navigation/chosen_lists.h"
#include "view/declaration_view.h"

namespace navigation {
namespace {

bool isDataTypeNode(const platform::TreeBox& tree, int pos) {
  return tree.itemText(tree.parentOf(pos)) == kDataTypeNodeLabel;
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

void 树型框_API目录_currentItemChanged(window::StartupWindow& w, const library::Catalog& catalog) {
  platform::TreeBox& tree = w.树型框_API目录;
  const int current = tree.currentItem();
  const bool dataType = isDataTypeNode(tree, current);
  const gbk::Text label = tree.itemText(current);
  window::showInStatusBar(w, dataType ? "数据类型：" : "API：", label);

  const std::int32_t entryNumber = tree.itemData(current);
  if (entryNumber != 0) {
    view::CoverWhileRefilling cover(w);
    if (dataType) {
      view::showDataType(w, label);
    } else if (const library::CatalogEntry* entry = catalog.entry(entryNumber)) {
      view::showDllCommand(w, entry->chineseName);
    }
  } else {
    view::showNothing(w);
  }
  tree.setFocus();
}

void 树型框_API目录_doubleClicked(window::StartupWindow& w, const library::Catalog& catalog) {
  showChosenApiPage(w);
  platform::TreeBox& tree = w.树型框_API目录;
  const int current = tree.currentItem();
  const std::int32_t entryNumber = tree.itemData(current);
  if (entryNumber == 0) return;
  const library::CatalogEntry* entry = catalog.entry(entryNumber);
  if (!entry) return;
  // The chosen list names an API by both names, whichever of them the tree shows.
  const gbk::Text text = isDataTypeNode(tree, current) ? gbk::Text(kDataTypeItemPrefix) + tree.itemText(current)
                                                       : library::apiItemText(*entry);
  addToChosenApiList(w.选择列表框_选用API, text, entryNumber);
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
