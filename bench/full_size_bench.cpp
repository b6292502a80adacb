// The window's work on the whole built-in library, hand-written and generated: the
// declaration of one entry shown in both forms, the entry that a scan of the library
// reaches last.
#include <benchmark/benchmark.h>

#include "tests/headless_wizard.h"
#include "view/declaration_view.h"

namespace {

void BM_ShowLastDeclaration(benchmark::State& state) {
  HeadlessWizard headless;
  headless.start();
  const library::CatalogEntry& last = headless.entryAt(headless.catalog().size());
  for (auto _ : state) {
    view::showDllCommand(headless.w, last.chineseName);
    benchmark::DoNotOptimize(headless.w.编辑框_文本形式.text().size());
  }
  if (headless.w.编辑框_文本形式.text().find(last.chineseName) == gbk::Text::npos) state.SkipWithError("not shown");
  state.counters["entries"] = headless.catalog().size();
}
BENCHMARK(BM_ShowLastDeclaration);

}  // namespace
