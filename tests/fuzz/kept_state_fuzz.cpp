// libFuzzer entry point for the reader of the state kept between runs. Whatever the bytes,
// it returns without reading past them, and a state that it accepts is within the bounds
// and reads back the same once written again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "window/kept_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::optional<window::KeptState> state =
      window::readKeptState(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!state) return 0;
  if (state->chosen.size() > window::kMostKeptItems) std::abort();
  for (const window::KeptItem& item : state->chosen) {
    if (item.name.empty() || item.name.size() > window::kLongestKeptName) std::abort();
  }
  if (window::readKeptState(window::writeKeptState(*state)) != state) std::abort();
  return 0;
}
