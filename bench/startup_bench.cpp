#include <benchmark/benchmark.h>

#include "app/wizard_app.h"
#include "library/builtin_data.h"
#include "library/catalog.h"
#include "library/library.h"
#include "tests/headless_wizard.h"

namespace {

void BM_ParseCatalog(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(library::Catalog(library::apiCatalogText()));
}
BENCHMARK(BM_ParseCatalog);

// The library as the wizard makes it at start-up: from the tables the build wrote.
void BM_BuiltInLibrary(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(library::builtInLibrary());
}
BENCHMARK(BM_BuiltInLibrary);

// Program start up to a laid-out, filled window, on the headless platform.
void BM_StartHeadless(benchmark::State& state) {
  for (auto _ : state) {
    const std::unique_ptr<const library::Library> library = library::builtInLibrary();
    HeadlessWizard headless({}, *library);
    headless.start();
    benchmark::DoNotOptimize(headless.wizard.library.catalog.size());
  }
}
BENCHMARK(BM_StartHeadless);

}  // namespace
