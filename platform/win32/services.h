// Shell, dialogs and message boxes of the real platform.
#pragma once

#include "platform/dialogs.h"
#include "platform/message_box.h"
#include "platform/shell.h"

namespace platform::win32 {

class Win32Shell : public Shell {
 public:
  Path documentsFolder() override;
  Path programFolder() override;
  Path keptStateFolder() override;
  void run(const Path& file, std::u16string_view commandLine) override;
};

// The common save-file dialog and the shell's folder picker, modal to the start-up window.
class Win32Dialogs : public Dialogs {
 public:
  DialogAnswer pickFolder(std::string_view title, Path& folder) override;

 protected:
  DialogAnswer askSavePath(Path& chosen) override;
};

class Win32MessageBoxes : public MessageBoxes {
 public:
  MessageAnswer show(std::string_view text, std::string_view caption, MessageIcon icon,
                     MessageButtons buttons) override;
};

}  // namespace platform::win32
