#include <benchmark/benchmark.h>

#include "library/declaration_lookup.h"

namespace {

// What one selection in the index costs: the command and the one data type it needs.
void BM_LookUpDllCommandWithItsDataType(benchmark::State& state) {
  for (auto _ : state) {
    library::LookupLists lists;
    benchmark::DoNotOptimize(library::lookUpDllCommand("取菜单条目信息_", lists));
  }
}
BENCHMARK(BM_LookUpDllCommandWithItsDataType);

// The last block of the text: the one that a scan from the start reaches last.
void BM_LookUpDataType(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(library::lookUpDataType("时区信息_"));
  }
}
BENCHMARK(BM_LookUpDataType);

// The same command on texts that are not the built-in ones, indexed afresh on every
// call: the cost of the first lookup of a run, and of a lookup without any index.
void BM_LookUpDllCommandIndexingEveryCall(benchmark::State& state) {
  library::LibraryTexts builtin = library::builtinLibraryTexts();
  gbk::Text dllCommands(builtin.dllCommands);
  gbk::Text dataTypes(builtin.dataTypes);
  library::LibraryTexts copies{dllCommands, dataTypes};
  for (auto _ : state) {
    library::LookupLists lists;
    benchmark::DoNotOptimize(library::lookUpDllCommand(copies, "取菜单条目信息_", lists));
  }
}
BENCHMARK(BM_LookUpDllCommandIndexingEveryCall);

}  // namespace
