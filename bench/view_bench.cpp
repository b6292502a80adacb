#include <benchmark/benchmark.h>

#include "library/declaration_lookup.h"
#include "platform/headless/headless_ui.h"
#include "tests/shared_library.h"
#include "view/grid_renderer.h"

namespace {

// One rendering of a DLL command (the command with the most parameters of its
// category) into a headless grid, as each selection in the navigation does.
void BM_RenderDllCommand(benchmark::State& state) {
  platform::headless::HeadlessUi ui;
  platform::DrawingBoard board("画板1");
  platform::Grid grid("高级表格1");
  ui.realize(board, {platform::ControlKind::drawingBoard, "画板1", "", -1, {}, ""}, 0);
  ui.realize(grid, {platform::ControlKind::grid, "高级表格1", "", -1, {}, ""}, 1);
  view::GridRenderer renderer(board);
  library::LookupLists lists;
  std::optional<library::FoundDllCommand> found =
      library::lookUpDllCommand(sharedLibrary().texts, "创建扩展画笔_", lists);
  if (!found) {
    state.SkipWithError("the command is not in the library");
    return;
  }
  for (auto _ : state) {
    renderer.renderDllCommand(grid, found->record);
    benchmark::DoNotOptimize(grid.rowCount());
  }
}
BENCHMARK(BM_RenderDllCommand);

}  // namespace
