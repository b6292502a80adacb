// A program as E source text, and back: the form in which example programs are written
// and the stand-in IDE shows its program. The text is GBK with CR LF line ends:
//
//   .版本 2
//   (empty line)
//   program sets, then ".DLL命令" blocks, then ".数据类型" blocks, one empty line between
//   any two blocks; then, after one empty line, the ".常量" lines one under another
//
// A program set runs from its column-0 ".程序集 " line to the next column-0 ".程序集 ",
// ".DLL命令 ", ".数据类型 " or ".常量 " line, without its trailing empty lines; it holds its
// variables and subroutines as they stand. A declaration block is its header line and the
// lines under it indented by four spaces (".参数 " under a DLL command, ".成员 " under a
// data type), and ends at an empty line or the next block; a constant is its one line.
// Names are the header's text after the keyword, up to the first comma (a program set's
// may run to the line's end).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "library/program_image.h"

namespace library {

struct ProgramSourceError {
  std::size_t line = 0;  // 1-based; 0 when there is no error
  std::string reason;    // English, one line
};

struct ProgramSourceParsing {
  library::ProgramImage program;  // a new program (newProgram()) with the text's blocks; empty unless ok()
  ProgramSourceError error;
  bool ok() const { return error.line == 0; }
};

// Takes the blocks in the text's order. A line outside every block, a block without a
// name, a name given twice within its kind, a line end other than CR LF, a NUL and a
// first line other than ".版本 N" are errors naming their line.
ProgramSourceParsing parseProgramSource(std::string_view gbkText);

// The program's text in the form above; for text in that form (a canonical text),
// formatProgramSource(parseProgramSource(text).program) == text.
std::string formatProgramSource(const library::ProgramImage& program);

}  // namespace library
