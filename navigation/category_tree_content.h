// The content of the category tree `树型框_API目录`, apart from the tree: the build makes
// the built-in catalog's tree with it too (tools/embed_data.cpp).
#pragma once

#include <string_view>

#include "base/gbk_text.h"
#include "library/catalog.h"

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

}  // namespace navigation
