// libFuzzer entry point for the examples database: the reader's open and every read, then,
// when the files open, the wizard's example list, related examples, search and saves, over
// a database file and its auxiliary file carried in one input (see example_database_checks.h).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "tests/fuzz/example_wizard_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  bool opened = false;
  auto input = examples::fuzzing::splitInput(std::string_view(reinterpret_cast<const char*>(data), size));
  if (const char* broken = examples::fuzzing::checkDatabaseAndUses(input, opened)) {
    std::fprintf(stderr, "broken: %s\n", broken);
    std::abort();
  }
  return 0;
}
