// libFuzzer entry point for the program image reader. Whatever the bytes, the reader
// returns without reading past them; an image that it accepts writes again, reads back
// the same, and has each of its declarations found by kind and name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "library/program_image.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

void requireFound(const library::ProgramImage& image, library::DeclarationKind kind,
                  const std::vector<library::ImageDeclaration>& declarations) {
  for (const auto& declaration : declarations) {
    require(library::findDeclaration(image, kind, declaration.name) == &declaration);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  library::ImageReading reading = library::readProgramImage(std::span<const unsigned char>(data, size));
  if (!reading.ok()) {
    require(reading.error.offset <= size);
    return 0;
  }
  library::ImageWriting writing = library::writeProgramImage(reading.image);
  require(writing.ok());
  library::ImageReading again = library::readProgramImage(writing.bytes);
  require(again.ok() && again.image == reading.image);
  requireFound(reading.image, library::DeclarationKind::dataType, reading.image.dataTypes);
  requireFound(reading.image, library::DeclarationKind::dllCommand, reading.image.dllCommands);
  return 0;
}
