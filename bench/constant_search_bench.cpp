#include <benchmark/benchmark.h>

#include "library/builtin_data.h"
#include "library/constants.h"
#include "navigation/search.h"

namespace {

// Searching by a constant's name: every DLL command of the catalog looked up and its texts
// read word by word.
void BM_FindApisNamingConstant(benchmark::State& state) {
  const library::Catalog catalog(library::apiCatalogText());
  const library::ConstantLibrary& constants = library::builtInConstants();
  for (auto _ : state) {
    benchmark::DoNotOptimize(navigation::findApisNamingConstant(catalog, constants, "MIIM_STRING"));
  }
}
BENCHMARK(BM_FindApisNamingConstant)->Unit(benchmark::kMillisecond);

}  // namespace
