#include <benchmark/benchmark.h>

#include "library/builtin_data.h"
#include "library/declaration_lookup.h"
#include "tests/shared_library.h"

namespace {

// What one selection in the index costs: the command and the one data type it needs.
void BM_LookUpDllCommandWithItsDataType(benchmark::State& state) {
  for (auto _ : state) {
    library::LookupLists lists;
    benchmark::DoNotOptimize(library::lookUpDllCommand(sharedLibrary().texts, "取菜单条目信息_", lists));
  }
}
BENCHMARK(BM_LookUpDllCommandWithItsDataType);

// The last block of the text: the one that a scan from the start reaches last.
void BM_LookUpDataType(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(library::lookUpDataType(sharedLibrary().texts, "时区信息_"));
  }
}
BENCHMARK(BM_LookUpDataType);

// The same command on the built-in texts indexed afresh: what a library without the
// build's index pays once.
void BM_LookUpDllCommandIndexingTheTexts(benchmark::State& state) {
  for (auto _ : state) {
    const library::LibraryTexts texts(library::dllCommandLibraryText(), library::dataTypeLibraryText());
    library::LookupLists lists;
    benchmark::DoNotOptimize(library::lookUpDllCommand(texts, "取菜单条目信息_", lists));
  }
}
BENCHMARK(BM_LookUpDllCommandIndexingTheTexts)->Unit(benchmark::kMillisecond);

}  // namespace
