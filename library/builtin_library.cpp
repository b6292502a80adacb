// The built-in library from what the build wrote (tools/embed_data.cpp): the texts, the
// indexes of their headers, the catalog's rows and the constants' tables.
#include "library/builtin_data.h"
#include "library/declaration_syntax.h"
#include "library/library.h"

namespace library {

std::unique_ptr<const Library> builtInLibrary() {
  const BuiltInIndex dllCommands = dllCommandLibraryTextIndex();
  const BuiltInIndex dataTypes = dataTypeLibraryTextIndex();
  return std::unique_ptr<const Library>(new Library{
      LibraryTexts(HeaderIndex(dllCommandLibraryText(), kDllCommandHeader, dllCommands.starts, dllCommands.byName),
                   HeaderIndex(dataTypeLibraryText(), kDataTypeHeader, dataTypes.starts, dataTypes.byName)),
      Catalog::builtIn(), ConstantLibrary::builtIn(), libraryProgramImage(), Glossary(glossaryText())});
}

}  // namespace library
