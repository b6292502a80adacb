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

bool isDataTypeNode(const platform::TreeBox& tree, int pos) {
  return tree.itemText(tree.parentOf(pos)) == kDataTypeNodeLabel;
}

}  // namespace

gbk::Text buildCategoryTreeContent(const std::vector<gbk::Text>& catalogLines, bool chineseLabels) {
  std::string main;
  std::string dataTypes;
  // A record is its label and 21 bytes more: room for all of them up front.
  main.reserve(catalogLines.size() * 48);
  std::unordered_set<gbk::Text> named;
  gbk::Text previousCategory;
  for (std::size_t i = 0; i < catalogLines.size(); ++i) {
    const auto entryNumber = static_cast<std::int32_t>(i + 1);
    std::vector<gbk::Text> fields = gbk::split(catalogLines[i], ",");
    if (fields.size() < 3) continue;
    const gbk::Text& category = fields[1];
    const gbk::Text& label = chineseLabels ? fields[2] : fields[0];
    for (std::size_t f = 3; f < fields.size(); ++f) {
      if (fields[f].empty() || !named.insert(fields[f]).second) continue;
      platform::appendTreeRecord(dataTypes, fields[f], kPageImage, kPageImage, entryNumber, 0, kUnderTopLevel);
    }
    if (category != previousCategory) {
      platform::appendTreeRecord(main, category, kClosedBookImage, kClosedBookImage, 0, 0, kTopLevel);
    }
    platform::appendTreeRecord(main, label, kPageImage, kPageImage, entryNumber, 0, kUnderTopLevel);
    previousCategory = category;
  }
  platform::appendTreeRecord(main, kDataTypeNodeLabel, kClosedBookImage, kClosedBookImage, 0, 0, kTopLevel);
  main += dataTypes;
  return main;
}

void fillCategoryTree(window::Wizard& wizard) {
  platform::TreeBox& tree = wizard.window.树型框_API目录;
  const int previous = tree.currentItem();
  gbk::Text content = buildCategoryTreeContent(wizard.state.catalogLines, wizard.window.单选框_中文树形框.checked());
  // The content is ours and always well formed; a refusal would keep the old tree.
  if (!tree.setContent(content).ok()) return;
  // Only the labels differ between the languages, so a position names the same node
  // again; a top-level node at 0 (or none) gives way to the first API.
  const int pos = previous > 0 ? previous : 1;
  tree.setCurrentItem(pos);
  tree.ensureVisible(pos);
  tree.setFocus();
}

void 树型框_API目录_currentItemChanged(window::Wizard& wizard) {
  window::StartupWindow& w = wizard.window;
  platform::TreeBox& tree = w.树型框_API目录;
  const int current = tree.currentItem();
  const bool dataType = isDataTypeNode(tree, current);
  const gbk::Text label = tree.itemText(current);
  window::showInStatusBar(wizard.window, dataType ? "数据类型：" : "API：", label);

  const std::int32_t entryNumber = tree.itemData(current);
  if (entryNumber != 0) {
    view::CoverWhileRefilling cover(wizard);
    if (dataType) {
      view::showDataType(wizard, label);
    } else if (const gbk::Text* line = catalogEntry(wizard.state.catalogLines, entryNumber)) {
      view::showDllCommand(wizard, *line, true);
    }
  } else {
    view::showNothing(wizard);
  }
  tree.setFocus();
}

void 树型框_API目录_doubleClicked(window::Wizard& wizard) {
  showChosenApiPage(wizard);
  platform::TreeBox& tree = wizard.window.树型框_API目录;
  const int current = tree.currentItem();
  const std::int32_t entryNumber = tree.itemData(current);
  if (entryNumber == 0) return;
  const gbk::Text* line = catalogEntry(wizard.state.catalogLines, entryNumber);
  if (!line || gbk::split(*line, ",").size() < 3) return;
  // The chosen list names an API by both names, whichever of them the tree shows.
  const gbk::Text text = isDataTypeNode(tree, current) ? gbk::Text(kDataTypeItemPrefix) + tree.itemText(current)
                                                       : apiItemText(*line);
  addToChosenApiList(wizard, text, entryNumber);
}

void 树型框_API目录_aboutToExpand(window::Wizard& wizard, int pos) {
  wizard.window.树型框_API目录.setImage(pos, kOpenBookImage);
  wizard.window.树型框_API目录.setSelectedImage(pos, kOpenBookImage);
}

void 树型框_API目录_aboutToCollapse(window::Wizard& wizard, int pos) {
  wizard.window.树型框_API目录.setImage(pos, kClosedBookImage);
  wizard.window.树型框_API目录.setSelectedImage(pos, kClosedBookImage);
}

void 单选框_中文树形框_clicked(window::Wizard& wizard) { fillCategoryTree(wizard); }

void 单选框_英文树形框_clicked(window::Wizard& wizard) { fillCategoryTree(wizard); }

}  // namespace navigation
