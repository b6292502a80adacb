// The program file format. One container serves the library program image (the built-in
// declarations, handed to the IDE with an import, in which the IDE finds each named
// declaration by kind and name), the example programs and the programs that an IDE
// saves: program sets with their code, DLL commands and data types. The byte layout is
// in docs/program-image.md; program_source.h turns a program into E source text and back.
//
// The reader trusts nothing in the bytes: every length and count is checked against
// what remains of its enclosing record before it is used, so a truncated or damaged
// image gives an error value, never a read past its end and never an exception.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace library {

// The two declaration sections carry the item kinds of the import's code-6 records, so
// that the IDE can take a record's kind and name straight to the image.
enum class DeclarationKind : std::uint32_t { dataType = 64, dllCommand = 256 };

enum class ImageSection : std::uint32_t {
  program = 1,
  supportLibraries = 2,
  windows = 3,
  programSets = 4,
  constants = 5,  // optional: written only when the program has constants
  dataTypes = static_cast<std::uint32_t>(DeclarationKind::dataType),
  dllCommands = static_cast<std::uint32_t>(DeclarationKind::dllCommand),
};

// A named block of source: a declaration, or a program set with its subroutines.
struct ImageDeclaration {
  std::string name;    // GBK, as it stands in the header line; no comma, NUL, CR or LF
  std::string source;  // the block as it stands in its text, CR LF after every line

  bool operator==(const ImageDeclaration&) const = default;
};

// A section of a kind that this format does not know (a later format's addition): kept
// as it stands, so that saving a program read from a later program's file loses nothing.
struct LaterSection {
  std::uint32_t kind = 0;
  std::string content;

  bool operator==(const LaterSection&) const = default;
};

struct ProgramImage {
  std::uint32_t languageVersion = 2;  // the N of the texts' ".版本 N" line
  std::vector<std::string> supportLibraries;
  std::vector<std::string> windows;
  // The program's code, set after set in the program's order, no two of one name. The
  // library has none.
  std::vector<ImageDeclaration> programSets;
  // The reader hands these back in ascending plain byte order of their names; the writer
  // takes them in any order.
  std::vector<ImageDeclaration> dataTypes;
  std::vector<ImageDeclaration> dllCommands;
  // Each a single `.常量 ` line; sorted and written like the declarations.
  std::vector<ImageDeclaration> constants;
  // In the file's order; the writer writes them back after its own sections.
  std::vector<LaterSection> laterSections;

  bool operator==(const ProgramImage&) const = default;
};

enum class ImageFault {
  none,
  // Reading.
  notAnImage,             // no "CNWTEPRG" at the start
  unsupportedFormat,      // a format version other than 1
  truncated,              // a field, length or count reaches past the end of its record
  sectionLengthMismatch,  // a section's content ends before its stated length does
  duplicateSection,       // also in writing: a later section of a kind the format knows
  missingSection,
  emptyName,
  badName,                 // a name holding a comma, NUL, CR or LF
  namesOutOfOrder,         // declarations not strictly ascending: unsorted, or a name twice
  sourceDoesNotMatchName,  // the source does not begin with the header line of that name
  trailingBytes,           // bytes after the last section
  duplicateName,           // two program sets of one name; in writing, two blocks of one kind and name
  // Writing.
  badLibraryText,
  tooLarge,  // a length that does not fit the format's 32-bit fields
};

struct ImageError {
  ImageFault fault = ImageFault::none;
  // Reading: the image offset of the field found wrong. Building from the library
  // texts: the offset in the text concerned.
  std::uint64_t offset = 0;
  std::string name;  // GBK: the declaration concerned, where there is one
};

// One line of English for logs and build output (the name, being GBK, is not included).
std::string describe(const ImageError& error);

struct ImageReading {
  ProgramImage image;  // empty unless ok()
  ImageError error;
  bool ok() const { return error.fault == ImageFault::none; }
};

ImageReading readProgramImage(std::span<const unsigned char> bytes);
ImageReading readProgramImage(std::string_view bytes);

struct ImageWriting {
  std::string bytes;  // empty unless ok()
  ImageError error;
  bool ok() const { return error.fault == ImageFault::none; }
};

// Writes the declarations and constants sorted by name, and the later sections last.
// Fails on an empty or bad name, a name given twice within one kind, a source that does
// not begin with its header line, a later section of a kind the format knows, or a length
// over 32 bits, so that whatever it writes the reader accepts.
ImageWriting writeProgramImage(const ProgramImage& image);

// A new program, as an IDE makes it: the start-up window "_启动窗口" and the support
// library "系统核心支持库", no code and no declarations.
ProgramImage newProgram();

// The wizard's image: the start-up window "_启动窗口", the support library
// "系统核心支持库" and every block of the two library texts.
ImageWriting buildLibraryProgramImage(std::string_view dllCommandText, std::string_view dataTypeText);

// The image's bytes with a constants section of these `.常量` lines added after its own
// sections (the reader takes them in any order): the import's payload is the library
// image, made once by the build, with the constants of what the user chose. The image is
// taken as it is and must have no constants section; no constants leave it unchanged.
// Fails on bytes that are no image of this format, and as the writer does on a bad line.
ImageWriting addConstantsSection(std::string_view imageBytes, std::span<const std::string_view> constantLines);

// Binary search in an image as the reader returns it (declarations sorted by name);
// nullptr when the image has no declaration of that kind and name.
const ImageDeclaration* findDeclaration(const ProgramImage& image, DeclarationKind kind, std::string_view name);

}  // namespace library
