#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "ide_link/wizard_channel.h"
#include "library/builtin_data.h"
#include "library/catalog.h"
#include "platform/headless/headless_kernel_objects.h"

namespace {

using ide_link::Argument;

// A typical import: ten APIs that need data types, each with its records, then "a" and "b".
void queueTypicalImport(ide_link::WizardRequestBuffer& buffer, const std::vector<library::CatalogEntry>& apis) {
  for (const library::CatalogEntry& api : apis) {
    buffer.queueCommandRecord(
        6, {Argument::integer(256), Argument::text(api.chineseName), Argument::integer(2), Argument::text("$")});
    for (std::string_view dataType : api.dataTypeNames) {
      buffer.queueCommandRecord(
          6, {Argument::integer(64), Argument::text(dataType), Argument::integer(2), Argument::text("$")});
    }
  }
  buffer.queueCommandRecord(5, {Argument::text("a")});
  buffer.queueCommandRecord(5, {Argument::text("b")});
}

std::vector<library::CatalogEntry> tenApisWithDataTypes() {
  std::vector<library::CatalogEntry> apis;
  // The entries point into the catalog: it stays for the run.
  static const library::Catalog catalog(library::apiCatalogText());
  for (std::int32_t n = 1; n <= catalog.size() && apis.size() < 10; ++n) {
    if (!catalog.entry(n)->dataTypeNames.empty()) apis.push_back(*catalog.entry(n));
  }
  return apis;
}

void BM_QueueTypicalImport(benchmark::State& state) {
  std::vector<library::CatalogEntry> apis = tenApisWithDataTypes();
  ide_link::WizardRequestBuffer buffer;
  for (auto _ : state) {
    queueTypicalImport(buffer, apis);
    benchmark::DoNotOptimize(buffer.bytes().data());
    state.counters["bytes"] = static_cast<double>(buffer.bytes().size());
    buffer.empty();
  }
}
BENCHMARK(BM_QueueTypicalImport);

// The library program image and a typical buffer written into a view, against a bare
// copy of the same bytes to the same place.
struct ViewOfImport {
  std::string_view payload = library::libraryProgramImage();
  std::string buffer = [] {
    ide_link::WizardRequestBuffer queued;
    queueTypicalImport(queued, tenApisWithDataTypes());
    return std::string(queued.bytes());
  }();
  std::vector<std::uint8_t> view = std::vector<std::uint8_t>(library::requestBlockSize(payload.size(), buffer.size()));
};

void BM_WriteRequestIntoView(benchmark::State& state) {
  ViewOfImport v;
  for (auto _ : state) {
    library::writeRequest(v.view, false, v.payload, v.buffer);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * (v.payload.size() + v.buffer.size())));
}
BENCHMARK(BM_WriteRequestIntoView);

void BM_MemcpySameBytes(benchmark::State& state) {
  ViewOfImport v;
  for (auto _ : state) {
    std::memcpy(v.view.data() + 8, v.payload.data(), v.payload.size());
    std::memcpy(v.view.data() + 12 + v.payload.size(), v.buffer.data(), v.buffer.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * (v.payload.size() + v.buffer.size())));
}
BENCHMARK(BM_MemcpySameBytes);

// A whole send over the in-memory kernel objects, with an IDE that answers at once: the
// block is made anew (zeroed) each time, as a new mapping is.
void BM_SendImportHeadless(benchmark::State& state) {
  platform::headless::HeadlessKernelObjects kernel;
  kernel.createEvent("EWEVT1");
  kernel.createEvent("EWEVT2");
  kernel.whenSignalled("EWEVT1", [&kernel] { kernel.signal("EWEVT2"); });
  ide_link::WizardRequestBuffer buffer;
  for (auto _ : state) {
    buffer.queueCommandRecord(5, {Argument::text("a")});
    auto pending = ide_link::sendWizardRequest(kernel, buffer, library::libraryProgramImage(), false);
    benchmark::DoNotOptimize(pending->poll());
    kernel.log.clear();
  }
}
BENCHMARK(BM_SendImportHeadless);

}  // namespace
