#include <benchmark/benchmark.h>

#include "library/builtin_data.h"
#include "library/catalog.h"
#include "navigation/category_tree.h"
#include "platform/tree_box.h"

namespace {

const library::Catalog& catalog() {
  static const library::Catalog parsed(library::apiCatalogText());
  return parsed;
}

void BM_BuildCategoryTreeContent(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(navigation::buildCategoryTreeContent(catalog(), true));
}
BENCHMARK(BM_BuildCategoryTreeContent);

void BM_ParseCategoryTreeContent(benchmark::State& state) {
  const gbk::Text content = navigation::buildCategoryTreeContent(catalog(), true);
  platform::TreeBox tree("tree");
  for (auto _ : state) benchmark::DoNotOptimize(tree.setContent(content));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * content.size()));
}
BENCHMARK(BM_ParseCategoryTreeContent);

// What one fill costs the tree box: the content built and read into nodes.
void BM_FillCategoryTreeContent(benchmark::State& state) {
  platform::TreeBox tree("tree");
  bool chinese = true;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tree.setContent(navigation::buildCategoryTreeContent(catalog(), chinese)));
    chinese = !chinese;
  }
  state.counters["nodes"] = tree.count();
}
BENCHMARK(BM_FillCategoryTreeContent);

}  // namespace
