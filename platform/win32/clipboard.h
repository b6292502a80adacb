// The Windows clipboard.
#pragma once

#include <windows.h>

#include "platform/clipboard.h"
#include "platform/win32/handles.h"

namespace platform::win32 {

class Win32Clipboard : public Clipboard {
 public:
  ClipboardResult putText(std::string_view gbkText) override;

 private:
  // The clipboard's owner while we write it: a message-only window, made at the first copy.
  Owned<HWND, DestroyWindow> owner_;
};

}  // namespace platform::win32
