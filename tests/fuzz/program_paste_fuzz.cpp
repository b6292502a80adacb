// libFuzzer entry point for pasting text into the stand-in IDE's program. Whatever the
// bytes, the paste returns; a refusal leaves the program as it was; an accepted paste
// adds or keeps each pasted declaration once, and the program it leaves shows as source
// text that parses back to it and writes a program file that reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "stand_in_ide/paste.h"
#include "library/program_source.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

// A program that has a DLL command and a constant already, so that pastes meet names.
library::ProgramImage startingProgram() {
  library::ProgramImage program = library::newProgram();
  program.dllCommands = {{"A", ".DLL\xC3\xFC\xC1\xEE A, , \"a\", \"A\"\r\n"}};  // ".DLL命令 A, ..."
  program.constants = {{"B", ".\xB3\xA3\xC1\xBF B, \"1\"\r\n"}};                // ".常量 B, ..."
  return program;
}

std::size_t declarationCount(const library::ProgramImage& program) {
  return program.dllCommands.size() + program.dataTypes.size() + program.constants.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const library::ProgramImage start = startingProgram();
  library::ProgramImage program = start;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  stand_in_ide::PasteReport report = stand_in_ide::pasteText(program, text);
  if (!report.ok()) {
    require(program == start);
    return 0;
  }
  require(report.added + report.kept > 0 && declarationCount(program) == declarationCount(start) + report.added);
  library::ProgramSourceParsing shown =
      library::parseProgramSource(library::formatProgramSource(program));
  require(shown.ok() && shown.program == program);
  library::ImageWriting writing = library::writeProgramImage(program);
  require(writing.ok());
  library::ImageReading reading = library::readProgramImage(writing.bytes);
  require(reading.ok() && declarationCount(reading.image) == declarationCount(program));
  return 0;
}
