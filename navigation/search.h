// The search page: API hits from the catalog lines or example hits from the examples
// database, in the sorted `列表框_搜索结果`.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "library/catalog.h"
#include "library/gbk_text.h"

namespace window {
struct Wizard;
}

namespace navigation {

// The catalog entries whose whole line (names, category, data type names and the
// commas between them) contains `text`, ASCII letters matched in either case; lines
// of fewer than three fields are left out. Entry numbers, ascending.
std::vector<std::int32_t> findApis(const library::Catalog& catalog, std::string_view text);

// What the API search lists when `findApis` finds nothing: the catalog entries whose
// Chinese name contains `text` as pinyin initials, or failing any such, as syllables
// joined (library/pinyin.h). None unless `text` is ASCII letters. Entry numbers, ascending.
std::vector<std::int32_t> findApisByPinyin(const library::Catalog& catalog, std::string_view text);

struct ExampleHit {
  gbk::Text fileName;
  std::int32_t recordNumber = 0;
};

// The examples whose file name contains `text`, in record order; nothing while no
// examples database is open.
std::vector<ExampleHit> findExamples(window::Wizard& wizard, std::string_view text);

// Handlers (the event table wires them).
void 编辑框_搜索内容_keyPressed(window::Wizard& wizard, int keyCode);
void 按钮_搜索_clicked(window::Wizard& wizard);
void 组合框_搜索类型_selectionChanged(window::Wizard& wizard);
void 组合框_搜索API显示_selectionChanged(window::Wizard& wizard);
void 列表框_搜索结果_itemSelected(window::Wizard& wizard);
void 列表框_搜索结果_doubleClicked(window::Wizard& wizard);

}  // namespace navigation
