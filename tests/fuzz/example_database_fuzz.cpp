// libFuzzer entry point for the examples database reader: the open and every read, over a
// database file and its auxiliary file carried in one input (see example_database_checks.h).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tests/fuzz/example_database_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  bool opened = false;
  auto input = examples::fuzzing::splitInput(std::string_view(reinterpret_cast<const char*>(data), size));
  if (examples::fuzzing::checkDatabase(input, opened) != nullptr) std::abort();
  return 0;
}
