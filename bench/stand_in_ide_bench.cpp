#include <benchmark/benchmark.h>

#include <span>
#include <string>

#include "library/builtin_data.h"
#include "library/program_source.h"
#include "stand_in_ide/import.h"
#include "stand_in_ide/paste.h"
#include "tests/wizard_request_bytes.h"

namespace {

using Argument = library::ReadArgument;
using library::ArgumentType;

// The request of the typical import: GetMenuItemInfoA and its data type, with the whole
// library image as payload, in a block as large as the wizard makes it.
std::string typicalImportBlock() {
  auto text = [](const char* value) { return Argument{ArgumentType::text, 0, 0, value}; };
  auto integer = [](std::uint32_t value) { return Argument{ArgumentType::integer, value, 0, {}}; };
  library::WizardRequest request{0,
                                 std::string(library::libraryProgramImage()),
                                 {{6, {integer(256), text("取菜单条目信息_"), integer(2), text("$")}},
                                  {6, {integer(64), text("菜单条目结构_"), integer(2), text("$")}},
                                  {5, {text("a")}},
                                  {5, {text("b")}}}};
  return request_bytes::request(request);
}

std::span<const unsigned char> bytesOf(const std::string& block) {
  return {reinterpret_cast<const unsigned char*>(block.data()), block.size()};
}

// The decoder alone: every field checked, the payload copied out.
void BM_DecodeImportRequest(benchmark::State& state) {
  const std::string block = typicalImportBlock();
  for (auto _ : state) benchmark::DoNotOptimize(library::decodeRequest(bytesOf(block)));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * block.size()));
}
BENCHMARK(BM_DecodeImportRequest);

// What the IDE does between the two signals, and the source view it then shows: decode,
// read the payload image, add both declarations to a new program, reply, format.
void BM_AnswerImportRequest(benchmark::State& state) {
  const std::string block = typicalImportBlock();
  for (auto _ : state) {
    library::ProgramImage program = library::newProgram();
    benchmark::DoNotOptimize(stand_in_ide::answerRequest(program, bytesOf(block)));
    benchmark::DoNotOptimize(library::formatProgramSource(program));
  }
}
BENCHMARK(BM_AnswerImportRequest)->Unit(benchmark::kMillisecond);

// The largest paste there is: the whole library, its DLL commands, data types and
// constants, each text as one clipboard text, into a new program, and the source view
// shown after it.
void BM_PasteWholeLibrary(benchmark::State& state) {
  const std::string_view texts[] = {library::dllCommandLibraryText(), library::dataTypeLibraryText(),
                                    library::constantLibraryText()};
  std::size_t bytes = 0;
  for (auto _ : state) {
    library::ProgramImage program = library::newProgram();
    for (std::string_view text : texts) {
      if (!stand_in_ide::pasteText(program, text).ok()) state.SkipWithError("a library text does not paste");
      bytes += text.size();
    }
    benchmark::DoNotOptimize(library::formatProgramSource(program));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_PasteWholeLibrary)->Unit(benchmark::kMillisecond);

}  // namespace
