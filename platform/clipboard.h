// The system clipboard, written with text for other programs to paste.
#pragma once

#include <string_view>

namespace platform {

enum class ClipboardResult { copied, busy, failed };

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces what the clipboard holds with the GBK text, both as Unicode text and as
  // GBK bytes, which programs that carry Chinese read. `busy` when another program
  // keeps the clipboard open through a few brief retries, or owns it and does not
  // answer; `failed` when it could not be written otherwise. Either way the clipboard
  // keeps what it held.
  virtual ClipboardResult putText(std::string_view gbkText) = 0;
};

}  // namespace platform
