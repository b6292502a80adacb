// The examples database as the example lists use it: the open with the fill of the example
// list (every record's field 1), and the related examples of 100 chosen APIs (one search
// pass per name from the first record). Over the database the build makes and over a
// generated one of 10,000 records.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "base/byte_writer.h"
#include "examples/example_database.h"
#include "examples/example_fields.h"
#include "examples/example_lists.h"
#include "library/builtin_data.h"
#include "library/catalog.h"
#include "platform/headless/headless_files.h"
#include "tests/headless_wizard.h"
#include "tools/example_database_writer.h"

namespace {

// Beside the headless wizard's program.
const platform::Path kDatabase = u"C:\\E\\wizard\\API例程.edb";
const platform::Path kAuxiliary = u"C:\\E\\wizard\\API例程.EDT";

std::vector<std::string> catalogNames() {
  std::vector<std::string> names;
  library::Catalog catalog(library::apiCatalogText());
  for (std::int32_t n = 1; n <= catalog.size(); ++n) names.emplace_back(catalog.entry(n)->englishName);
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
      benchmark::DoNotOptimize(db.fieldText(examples::kFileNameField));
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

// A hostile pair of the argument's number of records: names as long as a file name may
// be, and every record's source pointing at one chain of 2,000 blocks (about 1 MB). Read
// naively, listing and saving them all would cost records × 1 MB.
examples::WrittenDatabase hostileDatabase(int records) {
  std::vector<examples::ExampleRecord> examples;
  for (int i = 0; i < records; ++i) {
    std::string name = std::to_string(i) + std::string(253, 'x');
    examples.push_back({name.substr(0, 253) + ".e", "GetWindowTextA/", i == 0 ? std::string(1'000'000, 'p') : ""});
  }
  examples::WrittenDatabase written = examples::writeExampleDatabase(examples);
  platform::headless::HeadlessFiles files;
  files.contents.emplace(kDatabase, written.database);
  files.contents.emplace(kAuxiliary, written.auxiliary);
  examples::ExampleDatabase db;
  if (db.open(files, kDatabase) != examples::OpenFault::none) return {};
  const examples::FieldDescriptor& source = db.fields()[examples::kSourceField - 1];
  const std::size_t recordLength = source.offset + source.size;
  const std::size_t dataStart = written.database.size() - recordLength * static_cast<std::size_t>(records);
  for (std::size_t record = 0; record < static_cast<std::size_t>(records); ++record) {
    base::putLittleEndian32(written.database.data() + dataStart + record * recordLength + source.offset, 1);
  }
  return written;
}

// Start-up with the hostile pair (the open and the fill of the example list), then the
// sources of all records read as saving every one of them would. Time and the bytes
// listed and read grow with the file's size: see the counters per file byte.
void BM_HostileDatabase(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  const examples::WrittenDatabase written = hostileDatabase(records);
  HeadlessWizard h;
  h.files.contents.emplace(kDatabase, written.database);
  h.files.contents.emplace(kAuxiliary, written.auxiliary);
  const double fileBytes = static_cast<double>(written.database.size() + written.auxiliary.size());
  double listed = 0;
  double read = 0;
  for (auto _ : state) {
    platform::ListBox& list = h.w.列表框_例程列表;
    list.removeAll();
    h.app.examples.reset();  // the open database holds its files
    h.app.examples = examples::openExamplesDatabase(h.files, h.shell.programFolder(), h.messages);
    if (!h.app.examples) {
      state.SkipWithError("the database does not open");
      return;
    }
    examples::ExampleDatabase& db = *h.app.examples;
    examples::fillExampleList(db, list);
    listed = read = 0;
    for (int pos = 0; pos < list.count(); ++pos) listed += static_cast<double>(list.itemText(pos).size());
    for (std::int32_t record = 1; record <= db.recordCount(); ++record) {
      db.goTo(record);
      if (std::optional<std::string> bytes = db.fieldBytes(examples::kSourceField))
        read += static_cast<double>(bytes->size());
    }
  }
  state.counters["file MB"] = fileBytes / 1e6;
  state.counters["listed per file byte"] = listed / fileBytes;
  state.counters["read per file byte"] = read / fileBytes;
  state.counters["ns per file byte"] =
      benchmark::Counter(fileBytes, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_HostileDatabase)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
