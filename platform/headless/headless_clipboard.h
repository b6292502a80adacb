// The clipboard in memory, for the native tests: it holds the last text put on it and
// can be held by another program.
#pragma once

#include <string>

#include "platform/clipboard.h"

namespace platform::headless {

class HeadlessClipboard : public Clipboard {
 public:
  ClipboardResult putText(std::string_view gbkText) override {
    if (heldByAnotherProgram) return ClipboardResult::busy;
    text = gbkText;
    ++writes;
    return ClipboardResult::copied;
  }
  std::string text;
  int writes = 0;
  bool heldByAnotherProgram = false;
};

}  // namespace platform::headless
