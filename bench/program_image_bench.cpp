#include <benchmark/benchmark.h>

#include "library/builtin_data.h"
#include "library/program_image.h"

namespace {

// The whole built-in image, every length and count checked, every declaration copied out.
void BM_ReadLibraryProgramImage(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(library::readProgramImage(library::libraryProgramImage()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * library::libraryProgramImage().size()));
}
BENCHMARK(BM_ReadLibraryProgramImage);

// What the build does once: both library texts to image bytes.
void BM_BuildLibraryProgramImage(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        library::buildLibraryProgramImage(library::dllCommandLibraryText(), library::dataTypeLibraryText()));
  }
}
BENCHMARK(BM_BuildLibraryProgramImage);

// One lookup per iteration, cycling through every DLL command of the image.
void BM_FindDeclaration(benchmark::State& state) {
  auto reading = library::readProgramImage(library::libraryProgramImage());
  if (!reading.ok() || reading.image.dllCommands.empty()) {
    state.SkipWithError("the built-in image does not read");
    return;
  }
  const auto& commands = reading.image.dllCommands;
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        library::findDeclaration(reading.image, library::DeclarationKind::dllCommand, commands[next].name));
    next = next + 1 == commands.size() ? 0 : next + 1;
  }
}
BENCHMARK(BM_FindDeclaration);

}  // namespace
