#include <benchmark/benchmark.h>

#include "navigation/search.h"
#include "tests/shared_library.h"

namespace {

// Searching by a constant's name: every DLL command of the catalog looked up and its texts
// read word by word.
void BM_FindApisNamingConstant(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(navigation::findApisNamingConstant(sharedLibrary(), "MIIM_STRING"));
  }
}
BENCHMARK(BM_FindApisNamingConstant)->Unit(benchmark::kMillisecond);

}  // namespace
