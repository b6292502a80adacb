// The declaration of one entry at the library's full size, hand-written and generated:
// the entry that a scan of the library reaches last, looked up, drawn as a table and
// put together as text, as each selection in the navigation does.
#include <benchmark/benchmark.h>

#include "library/builtin_data.h"
#include "library/catalog.h"
#include "library/declaration_lookup.h"
#include "platform/headless/headless_ui.h"
#include "tests/shared_library.h"
#include "view/grid_renderer.h"

namespace {

void BM_DeclarationOfTheLastEntry(benchmark::State& state) {
  const library::Catalog catalog(library::apiCatalogText());
  const library::CatalogEntry* last = catalog.entry(catalog.size());
  platform::headless::HeadlessUi ui;
  platform::DrawingBoard board("画板1");
  platform::Grid grid("高级表格1");
  ui.realize(board, {platform::ControlKind::drawingBoard, "画板1", "", -1, {}, ""}, 0);
  ui.realize(grid, {platform::ControlKind::grid, "高级表格1", "", -1, {}, ""}, 1);
  view::GridRenderer renderer(board);
  for (auto _ : state) {
    library::LookupLists lists;
    std::optional<library::FoundDllCommand> found =
        library::lookUpDllCommand(sharedLibrary().texts, last->chineseName, lists);
    if (!found) {
      state.SkipWithError("the last entry does not look up");
      return;
    }
    renderer.renderDllCommand(grid, found->record);
    gbk::Text text = std::move(found->declarationText);
    for (const gbk::Text& type : lists.neededDataTypeTexts) text += "\r\n\r\n" + type;
    benchmark::DoNotOptimize(text.size());
  }
  state.counters["entries"] = catalog.size();
}
BENCHMARK(BM_DeclarationOfTheLastEntry);

}  // namespace
