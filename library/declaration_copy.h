// Chosen declarations as one E text, for the clipboard: what any E IDE's paste turns
// into the same DLL commands, data types and constants that an import gives.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "base/gbk_text.h"
#include "library/declaration_lookup.h"
#include "library/program_image.h"

namespace library {

class ConstantLibrary;

struct DeclarationName {
  DeclarationKind kind;
  gbk::Text name;
};

struct DeclarationCopy {
  gbk::Text text;
  int dllCommands = 0;
  int dataTypes = 0;
  // The constants' lines at the text's end, without line ends: an import carries the same.
  std::vector<std::string_view> constantLines;
};

// ".版本 2", an empty line, then the blocks as the library texts hold them, one empty
// line between two: the DLL commands named, in the order given; every data type that
// they use or that is named, once, each after the data types that it uses and
// otherwise in the order in which they are first met; then, after an empty line, the
// lines of the constants that those blocks name, with their families, one a line.
// Lines end in CR LF. A name that the texts do not hold adds nothing; `constants` may
// be null (no constants).
DeclarationCopy composeDeclarationCopy(const LibraryTexts& texts, const ConstantLibrary* constants,
                                       std::span<const DeclarationName> chosen);

}  // namespace library
