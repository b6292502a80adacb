#include "navigation/category_tree.h"

#include <unordered_set>

#include "window/wizard.h"
#include "navigation/chosen_lists.h"
#include "platform/tree_model.h"
#include "view/declaration_view.h"

namespace navigation {
namespace {

constexpr std::int32_t kTopLevel = 1;
constexpr std::int32_t kUnderTopLevel = 2;
constexpr std::int32_t kUnderDll = 3;

bool isDataTypeNode(const platform::TreeBox& tree, int pos) {
  return tree.itemText(tree.parentOf(pos)) == kDataTypeNodeLabel;
}

}  // namespace

gbk::Text buildCategoryTreeContent(const library::Catalog& catalog, bool chineseLabels) {
  std::string main;
  std::string dataTypes;
  std::string generated;
  // A record is its label and 21 bytes more: room for all of them up front.
  main.reserve(static_cast<std::size_t>(catalog.size()) * 48);
  std::unordered_set<std::string_view> named;
  std::string_view previousCategory;
  std::string_view previousDll;
  for (std::int32_t entryNumber = 1; entryNumber <= catalog.size(); ++entryNumber) {
    const library::CatalogEntry* entry = catalog.entry(entryNumber);
    if (!entry) continue;
    for (std::string_view dataType : entry->dataTypeNames) {
      if (dataType.empty() || !named.insert(dataType).second) continue;
      platform::appendTreeRecord(dataTypes, dataType, kPageImage, kPageImage, entryNumber, 0, kUnderTopLevel);
    }
    const std::string_view label = entry->shownName(chineseLabels);
    // A generated entry's category is its DLL: one node per DLL under a node of their own.
    const bool underDll = entry->generated();
    std::string_view& previous = underDll ? previousDll : previousCategory;
    std::string& records = underDll ? generated : main;
    const std::int32_t level = underDll ? kUnderDll : kUnderTopLevel;
    if (entry->category != previous) {
      platform::appendTreeRecord(records, entry->category, kClosedBookImage, kClosedBookImage, 0, 0, level - 1);
    }
    platform::appendTreeRecord(records, label, kPageImage, kPageImage, entryNumber, 0, level);
    previous = entry->category;
  }
  platform::appendTreeRecord(main, kDataTypeNodeLabel, kClosedBookImage, kClosedBookImage, 0, 0, kTopLevel);
  main += dataTypes;
  // After the data types, so that every node of the hand-written library keeps its position.
  if (!generated.empty()) {
    platform::appendTreeRecord(main, kGeneratedNodeLabel, kClosedBookImage, kClosedBookImage, 0, 0, kTopLevel);
    main += generated;
  }
  return main;
}

void fillCategoryTree(window::StartupWindow& w, const library::Catalog& catalog) {
  platform::TreeBox& tree = w.树型框_API目录;
  const int previous = tree.currentItem();
  gbk::Text content = buildCategoryTreeContent(catalog, w.单选框_中文树形框.checked());
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
