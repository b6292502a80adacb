#include "view/constants_table.h"

#include <string>
#include <vector>

#include "window/startup_window.h"

namespace view {
namespace {

constexpr int kColumns = 3;
constexpr std::size_t kCountPart = 2;

}  // namespace

void renderConstants(const GridRenderer& renderer, platform::Grid& grid,
                     std::span<const library::Constant* const> constants) {
  renderer.resetGrid(grid, kColumns);
  renderer.putText(grid, 0, 0, "常量名称", heading());
  renderer.putText(grid, 0, 1, "常量值", heading());
  renderer.putText(grid, 0, 2, "备注", heading());
  for (const library::Constant* constant : constants) {
    if (!grid.appendRow("")) break;
    renderer.putText(grid, -1, 0, constant->name, coloured(kNameText));
    renderer.putText(grid, -1, 1, constant->value, coloured(kFlagText));
    renderer.putText(grid, -1, 2, constant->comment, coloured(kCommentText));
  }
}

void showConstantsOf(window::StartupWindow& w, const library::ConstantLibrary& library,
                     std::string_view declarationText) {
  const std::vector<const library::Constant*> constants = library.namedIn(declarationText);
  renderConstants(GridRenderer(w.画板1), w.高级表格_常量, constants);
  w.状态条.setPartText(kCountPart, "常量：" + std::to_string(constants.size()) + "个");
}

void showNoConstants(window::StartupWindow& w) {
  blankGrid(w.高级表格_常量);
  w.状态条.setPartText(kCountPart, "");
}

}  // namespace view
