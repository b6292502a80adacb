// libFuzzer entry point for pasting GBK text (CF_TEXT) into the stand-in IDE's program.
#include "tests/fuzz/program_paste_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  stand_in_ide::fuzzing::checkPaste(stand_in_ide::ClipboardText::gbk, data, size);
  return 0;
}
