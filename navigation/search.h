// The search page: API hits from the catalog lines or example hits from the examples
// database, in the sorted `列表框_搜索结果`.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "library/gbk_text.h"

namespace app {
class WizardApp;
}

namespace navigation {

// The catalog entries whose whole line (names, category, data type names and the
// commas between them) contains `text`, ASCII letters matched in either case; lines
// of fewer than three fields are left out. Entry numbers, ascending.
std::vector<std::int32_t> findApis(const std::vector<gbk::Text>& catalogLines, std::string_view text);

struct ExampleHit {
  gbk::Text fileName;
  std::int32_t recordNumber = 0;
};

// The examples whose file name contains `text`, in record order; nothing while no
// examples database is open.
std::vector<ExampleHit> findExamples(app::WizardApp& app, std::string_view text);

// Handlers (the event table wires them).
void 编辑框_搜索内容_keyPressed(app::WizardApp& app, int keyCode);
void 按钮_搜索_clicked(app::WizardApp& app);
void 组合框_搜索类型_selectionChanged(app::WizardApp& app);
void 组合框_搜索API显示_selectionChanged(app::WizardApp& app);
void 列表框_搜索结果_itemSelected(app::WizardApp& app);
void 列表框_搜索结果_doubleClicked(app::WizardApp& app);

}  // namespace navigation
