// The API index: every catalog entry by Chinese or English name in the sorted
// `列表框_索引`, found as the user types into `编辑框_索引`.
#pragma once

namespace window {
struct Wizard;
}

namespace navigation {

// The key code that Enter gives the key pressed handlers of the edit boxes.
inline constexpr int kEnterKey = 13;

// Rebuilds `列表框_索引` from the catalog line list in the language that
// `单选框_中文索引` chooses at this moment, keeping the selected entry selected.
void fillIndex(window::Wizard& wizard);

// Handlers (the event table wires them).
void 编辑框_索引_contentChanged(window::Wizard& wizard);
void 编辑框_索引_keyPressed(window::Wizard& wizard, int keyCode);
void 单选框_中文索引_clicked(window::Wizard& wizard);
void 单选框_英文索引_clicked(window::Wizard& wizard);
void 列表框_索引_itemSelected(window::Wizard& wizard);
void 列表框_索引_doubleClicked(window::Wizard& wizard);

}  // namespace navigation
