#include <benchmark/benchmark.h>

#include "navigation/chosen_lists.h"
#include "tests/headless_wizard.h"

namespace {

// Ctrl+C on a chosen API list of 100 ticked APIs, the first 100 of the catalog: their
// blocks, the data types they need, the constants those name, the text onto the
// clipboard and the status bar. The constant library is read at the first copy, before
// the timing.
void BM_CopyHundredTickedDeclarations(benchmark::State& state) {
  HeadlessWizard h;
  h.start();
  platform::CheckListBox& chosen = h.w.选择列表框_选用API;
  for (std::int32_t n = 1; chosen.count() < 100 && n <= h.catalog().size(); ++n) {
    navigation::addCatalogEntryToChosenApiList(h.w, h.catalog(), n);
  }
  for (int pos = 0; pos < chosen.count(); ++pos) chosen.setChecked(pos, true);
  chosen.userPressedCopyKey();
  for (auto _ : state) {
    chosen.userPressedCopyKey();
    benchmark::DoNotOptimize(h.clipboard.text.size());
  }
  state.counters["bytes"] = static_cast<double>(h.clipboard.text.size());
}
BENCHMARK(BM_CopyHundredTickedDeclarations)->Unit(benchmark::kMicrosecond);

}  // namespace
