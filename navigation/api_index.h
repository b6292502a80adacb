// The API index: every catalog entry by Chinese or English name in the sorted
// `列表框_索引`, found as the user types into `编辑框_索引`.
#pragma once

#include "library/library.h"

namespace window {
class StartupWindow;
}

namespace navigation {

// The key code that Enter gives the key pressed handlers of the edit boxes.
inline constexpr int kEnterKey = 13;

// Rebuilds `列表框_索引` from the catalog line list in the language that
// `单选框_中文索引` chooses at this moment, keeping the selected entry selected.
void fillIndex(window::StartupWindow& w, const library::Catalog& catalog);

// Handlers (the event table wires them).
void 编辑框_索引_contentChanged(window::StartupWindow& w, const library::Library& library);
void 编辑框_索引_keyPressed(window::StartupWindow& w, const library::Catalog& catalog, int keyCode);
void 单选框_中文索引_clicked(window::StartupWindow& w, const library::Catalog& catalog);
void 单选框_英文索引_clicked(window::StartupWindow& w, const library::Catalog& catalog);
void 列表框_索引_itemSelected(window::StartupWindow& w, const library::Library& library);
void 列表框_索引_doubleClicked(window::StartupWindow& w, const library::Catalog& catalog);

}  // namespace navigation
