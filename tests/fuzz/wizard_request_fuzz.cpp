// libFuzzer entry point for the stand-in IDE's decoder of wizard requests. Whatever the
// bytes, it returns without reading past them; a request that it accepts is exactly the
// bytes at the start of the block, written again from the decoded values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "library/wizard_request.h"
#include "tests/wizard_request_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  library::RequestDecoding decoding = library::decodeRequest(std::span<const unsigned char>(data, size));
  if (!decoding.ok()) return 0;
  std::string again = request_bytes::request(decoding.request);
  if (again.size() > size || std::string_view(reinterpret_cast<const char*>(data), again.size()) != again) std::abort();
  return 0;
}
