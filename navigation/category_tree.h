// The category tree `树型框_API目录` on the page "API目录": the catalog's categories
// with their APIs, then "数据类型" with every data type that the catalog names.
#pragma once

#include "library/library.h"
#include "navigation/category_tree_content.h"
#include "platform/tree_box.h"

namespace window {
class StartupWindow;
}

namespace navigation {

// Rebuilds the tree, keeping the current position (position 1 after a fresh start or
// when a top-level node at position 0 was current), and gives it the keyboard focus.
void fillCategoryTree(window::StartupWindow& w, const library::Catalog& catalog);

// Handlers (the event table wires them).
void 树型框_API目录_currentItemChanged(window::StartupWindow& w, const library::Library& library);
void 树型框_API目录_doubleClicked(window::StartupWindow& w, const library::Catalog& catalog);
void 树型框_API目录_aboutToExpand(platform::TreeBox& tree, int pos);
void 树型框_API目录_aboutToCollapse(platform::TreeBox& tree, int pos);
void 单选框_中文树形框_clicked(window::StartupWindow& w, const library::Catalog& catalog);
void 单选框_英文树形框_clicked(window::StartupWindow& w, const library::Catalog& catalog);

}  // namespace navigation
