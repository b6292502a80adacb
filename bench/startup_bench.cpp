#include <benchmark/benchmark.h>

#include "app/wizard_app.h"
#include "library/builtin_data.h"
#include "library/catalog.h"
#include "tests/headless_wizard.h"

namespace {

void BM_ParseCatalog(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(library::Catalog(library::apiCatalogText()));
}
BENCHMARK(BM_ParseCatalog);

// The catalog as the wizard gets it at start-up: from the rows the build wrote.
void BM_BuiltInCatalog(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(library::Catalog::builtIn());
}
BENCHMARK(BM_BuiltInCatalog);

// Program start up to a laid-out, filled window, on the headless platform.
void BM_StartHeadless(benchmark::State& state) {
  for (auto _ : state) {
    HeadlessWizard headless;
    headless.start();
    benchmark::DoNotOptimize(headless.wizard.state.catalog.size());
  }
}
BENCHMARK(BM_StartHeadless);

}  // namespace
