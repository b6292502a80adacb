#include <benchmark/benchmark.h>

#include "navigation/constant_index.h"
#include "tests/shared_library.h"

namespace {

// Searching by a constant's name, from the index that the first search makes.
void BM_FindApisTakingConstant(benchmark::State& state) {
  const navigation::ConstantIndex index(sharedLibrary());
  for (auto _ : state) benchmark::DoNotOptimize(index.entriesTaking("lwa_alpha"));
}
BENCHMARK(BM_FindApisTakingConstant)->Unit(benchmark::kMicrosecond);

// What the first search pays once: every DLL command of the catalog looked up and read.
void BM_BuildConstantIndex(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(navigation::ConstantIndex(sharedLibrary()));
}
BENCHMARK(BM_BuildConstantIndex)->Unit(benchmark::kMillisecond);

}  // namespace
