// The wizard's library: the declaration texts with their indexes, the catalog that files
// them, the constants that they name, and the program image that an import sends. The
// app makes it at start and passes it to whatever shows, finds, copies or imports a
// declaration.
#pragma once

#include <memory>
#include <string_view>

#include "library/catalog.h"
#include "library/constants.h"
#include "library/declaration_lookup.h"
#include "library/glossary.h"

namespace library {

struct Library {
  LibraryTexts texts;
  Catalog catalog;
  ConstantLibrary constants;
  std::string_view programImage;  // both texts as a program image (docs/program-image.md)
  Glossary glossary;              // the English words of API names in Chinese
};

// The library that the build compiled in (library/builtin_data.h).
std::unique_ptr<const Library> builtInLibrary();

}  // namespace library
