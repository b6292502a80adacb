// The built-in library, made once for the tests and benchmarks that only read it.
#pragma once

#include <memory>

#include "library/library.h"

inline const library::Library& sharedLibrary() {
  static const std::unique_ptr<const library::Library> library = library::builtInLibrary();
  return *library;
}
