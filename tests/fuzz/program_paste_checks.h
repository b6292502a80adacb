// What a paste into the stand-in IDE's program must keep, whatever the clipboard block
// holds: shared by the libFuzzer targets of its two text formats.
//
// The paste returns; a refusal leaves the program as it was; an accepted paste adds or
// keeps each pasted declaration once, and the program it leaves shows as source text that
// parses back to it and writes a program file that reads back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "library/program_source.h"
#include "stand_in_ide/paste.h"

namespace stand_in_ide::fuzzing {

inline void require(bool condition) {
  if (!condition) std::abort();
}

// A program that has a DLL command and a constant already, so that pastes meet names.
inline library::ProgramImage startingProgram() {
  library::ProgramImage program = library::newProgram();
  program.dllCommands = {{"A", ".DLL\xC3\xFC\xC1\xEE A, , \"a\", \"A\"\r\n"}};  // ".DLL命令 A, ..."
  program.constants = {{"B", ".\xB3\xA3\xC1\xBF B, \"1\"\r\n"}};                // ".常量 B, ..."
  return program;
}

inline std::size_t declarationCount(const library::ProgramImage& program) {
  return program.dllCommands.size() + program.dataTypes.size() + program.constants.size();
}

inline void checkPaste(ClipboardText text, const std::uint8_t* data, std::size_t size) {
  static const library::ProgramImage start = startingProgram();
  library::ProgramImage program = start;
  PasteReport report = pasteBlock(program, text, std::span<const unsigned char>(data, size));
  if (!report.ok()) {
    require(program == start);
    return;
  }
  require(report.added + report.kept > 0 && declarationCount(program) == declarationCount(start) + report.added);
  library::ProgramSourceParsing shown = library::parseProgramSource(library::formatProgramSource(program));
  require(shown.ok() && shown.program == program);
  library::ImageWriting writing = library::writeProgramImage(program);
  require(writing.ok());
  library::ImageReading reading = library::readProgramImage(writing.bytes);
  require(reading.ok() && declarationCount(reading.image) == declarationCount(program));
}

}  // namespace stand_in_ide::fuzzing
