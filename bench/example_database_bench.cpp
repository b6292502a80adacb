// The examples database as the example lists use it: the open with the fill of the example
// list (every record's field 1), and the related examples of 100 chosen APIs (one search
// pass per name from the first record). Over the database the build makes and over a
// generated one of 10,000 records.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "examples/example_database.h"
#include "examples/example_lists.h"
#include "library/builtin_data.h"
#include "library/catalog.h"
#include "platform/headless/headless_files.h"
#include "tools/example_database_writer.h"

namespace {

constexpr std::string_view kDatabase = "API例程.edb";
constexpr std::string_view kAuxiliary = "API例程.EDT";

std::vector<std::string> catalogNames() {
  std::vector<std::string> names;
  for (const gbk::Text& line : library::buildCatalogLineList(library::apiCatalogText())) {
    names.push_back(line.substr(0, line.find(',')));
  }
  return names;
}

std::string fileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

platform::headless::HeadlessFiles shippedDatabase() {
  const std::filesystem::path built(BUILT_EXAMPLES_FOLDER);
  platform::headless::HeadlessFiles files;
  files.contents.emplace(kDatabase, fileBytes(built / u8"API例程.edb"));
  files.contents.emplace(kAuxiliary, fileBytes(built / u8"API例程.EDT"));
  return files;
}

// Like the shipped examples: one to six catalog APIs each and a program file of 1 to 6 KB.
platform::headless::HeadlessFiles generatedDatabase(int records) {
  static const std::vector<std::string> names = catalogNames();
  std::mt19937 random(10000);
  auto below = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  std::vector<examples::ExampleRecord> examples;
  for (int i = 1; i <= records; ++i) {
    std::string apis;
    for (std::size_t k = 0, count = 1 + below(6); k < count; ++k) apis += names[below(names.size())] + "/";
    examples.push_back({"生成的例程" + std::to_string(i) + ".e", apis, std::string(1000 + below(5000), 'p')});
  }
  examples::WrittenDatabase written = examples::writeExampleDatabase(examples);
  platform::headless::HeadlessFiles files;
  files.contents.emplace(kDatabase, written.database);
  files.contents.emplace(kAuxiliary, written.auxiliary);
  return files;
}

platform::headless::HeadlessFiles databaseFor(const benchmark::State& state) {
  return state.range(0) == 0 ? shippedDatabase() : generatedDatabase(static_cast<int>(state.range(0)));
}

// Opening at start-up and reading every record's field 1 as filling the example list does
// (the list itself left out).
void BM_OpenAndListExamples(benchmark::State& state) {
  platform::headless::HeadlessFiles files = databaseFor(state);
  for (auto _ : state) {
    examples::ExampleDatabase db;
    if (db.open(files, kDatabase) != examples::OpenFault::none) {
      state.SkipWithError("the database does not open");
      return;
    }
    db.goToFirst();
    std::int32_t count = db.recordCount();
    for (std::int32_t record = 1; record <= count; ++record) {
      db.goTo(record);
      benchmark::DoNotOptimize(db.fieldBytes(library::ExampleRecords::kFileNameField));
    }
    state.counters["records"] = count;
  }
}
BENCHMARK(BM_OpenAndListExamples)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond);

// The related examples of 100 chosen APIs: per name, search from the first record for
// field 2 containing name + "/", take the record, skip and search on (the routine of the
// chosen examples page).
void BM_FindRelatedExamplesOf100Apis(benchmark::State& state) {
  platform::headless::HeadlessFiles files = databaseFor(state);
  examples::ExampleDatabase db;
  if (db.open(files, kDatabase) != examples::OpenFault::none) {
    state.SkipWithError("the database does not open");
    return;
  }
  std::vector<std::string> names = catalogNames();
  std::vector<gbk::Text> chosen;
  for (std::size_t i = 0; i < 100; ++i) chosen.push_back(names[i * names.size() / 100]);
  for (auto _ : state) {
    std::vector<std::int32_t> related = examples::findRelatedExamples(db, chosen);
    state.counters["related"] = static_cast<double>(related.size());
  }
}
BENCHMARK(BM_FindRelatedExamplesOf100Apis)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
