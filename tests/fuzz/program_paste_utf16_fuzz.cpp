// libFuzzer entry point for pasting UTF-16 text (CF_UNICODETEXT) into the stand-in IDE's
// program: the bytes are the clipboard block, code unit by code unit, little-endian.
#include "tests/fuzz/program_paste_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  stand_in_ide::fuzzing::checkPaste(stand_in_ide::ClipboardText::utf16, data, size);
  return 0;
}
