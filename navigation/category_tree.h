// The category tree `树型框_API目录` on the page "API目录": the catalog's categories
// with their APIs, then "数据类型" with every data type that the catalog names.
#pragma once

#include <string_view>
#include <vector>

#include "library/catalog.h"
#include "library/gbk_text.h"
#include "platform/tree_box.h"

namespace window {
class StartupWindow;
}

namespace navigation {

// The label of the top-level node whose children are the data type nodes.
inline constexpr std::string_view kDataTypeNodeLabel = "数据类型";

// The top-level node after "数据类型" that holds the declarations generated from the SDK
// headers, one node per DLL.
inline constexpr std::string_view kGeneratedNodeLabel = "全部系统API（按DLL）";

// Images of the tree's image list.
inline constexpr int kClosedBookImage = 0;
inline constexpr int kPageImage = 1;
inline constexpr int kOpenBookImage = 2;

// The tree's whole content: category nodes with their API nodes in catalog order
// (labelled by Chinese or English name), then "数据类型" with one node per distinct
// data type in order of first naming, then, when the catalog has generated entries,
// "全部系统API（按DLL）" with a node per DLL and its APIs under it. Item data: the entry
// number, 0 for the nodes that group.
gbk::Text buildCategoryTreeContent(const library::Catalog& catalog, bool chineseLabels);

// Rebuilds the tree, keeping the current position (position 1 after a fresh start or
// when a top-level node at position 0 was current), and gives it the keyboard focus.
void fillCategoryTree(window::StartupWindow& w, const library::Catalog& catalog);

// Handlers (the event table wires them).
void 树型框_API目录_currentItemChanged(window::StartupWindow& w, const library::Catalog& catalog);
void 树型框_API目录_doubleClicked(window::StartupWindow& w, const library::Catalog& catalog);
void 树型框_API目录_aboutToExpand(platform::TreeBox& tree, int pos);
void 树型框_API目录_aboutToCollapse(platform::TreeBox& tree, int pos);
void 单选框_中文树形框_clicked(window::StartupWindow& w, const library::Catalog& catalog);
void 单选框_英文树形框_clicked(window::StartupWindow& w, const library::Catalog& catalog);

}  // namespace navigation
