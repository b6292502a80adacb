#include <benchmark/benchmark.h>

#include "library/builtin_data.h"
#include "library/constants.h"
#include "library/declaration_lookup.h"
#include "tests/shared_library.h"

namespace {

// What showing the constants of one declaration costs: its text and its data types' texts
// scanned line by line for the names and families they hold.
void BM_ConstantsNamedInOneDeclaration(benchmark::State& state) {
  static const library::ConstantLibrary constants(library::constantLibraryText());
  library::LookupLists lists;
  auto found = library::lookUpDllCommand(sharedLibrary().texts, "取菜单条目信息_", lists);
  if (!found) {
    state.SkipWithError("no 取菜单条目信息_ in the library");
    return;
  }
  gbk::Text text = found->declarationText;
  for (const gbk::Text& dataType : lists.neededDataTypeTexts) text += dataType;
  std::size_t named = 0;
  for (auto _ : state) {
    auto namedConstants = constants.takenBy(text);
    named = namedConstants.size();
    benchmark::DoNotOptimize(namedConstants.data());
  }
  state.counters["bytes"] = static_cast<double>(text.size());
  state.counters["constants"] = static_cast<double>(named);
}
BENCHMARK(BM_ConstantsNamedInOneDeclaration)->Unit(benchmark::kMicrosecond);

// Reading the whole constants library once, at its first use.
void BM_ReadConstantLibrary(benchmark::State& state) {
  for (auto _ : state) {
    library::ConstantLibrary constants(library::constantLibraryText());
    benchmark::DoNotOptimize(constants.size());
  }
}
BENCHMARK(BM_ReadConstantLibrary)->Unit(benchmark::kMillisecond);

}  // namespace
