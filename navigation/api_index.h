// The API index: every catalog entry by Chinese or English name in the sorted
// `列表框_索引`, found as the user types into `编辑框_索引`.
#pragma once

namespace app {
class WizardApp;
}

namespace navigation {

// The key code that Enter gives the key pressed handlers of the edit boxes.
inline constexpr int kEnterKey = 13;

// Rebuilds `列表框_索引` from the catalog line list in the language that
// `单选框_中文索引` chooses at this moment, keeping the selected entry selected.
void fillIndex(app::WizardApp& app);

// Handlers (the event table wires them).
void 编辑框_索引_contentChanged(app::WizardApp& app);
void 编辑框_索引_keyPressed(app::WizardApp& app, int keyCode);
void 单选框_中文索引_clicked(app::WizardApp& app);
void 单选框_英文索引_clicked(app::WizardApp& app);
void 列表框_索引_itemSelected(app::WizardApp& app);
void 列表框_索引_doubleClicked(app::WizardApp& app);

}  // namespace navigation
