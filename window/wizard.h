// What every handler shares: the library, the start-up window with its controls, and the
// platform services.
#pragma once

#include <string_view>

#include "base/gbk_text.h"
#include "library/library.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/kernel_objects.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "platform/ui.h"
#include "window/startup_window.h"

namespace window {

struct Services {
  platform::Ui& ui;
  platform::Shell& shell;
  platform::Dialogs& dialogs;
  platform::MessageBoxes& messages;
  platform::Files& files;
  platform::KernelObjects& kernelObjects;
  platform::Clipboard& clipboard;
};

struct Wizard {
  Wizard(const Services& s, const library::Library& l) : services(s), library(l), window(s.ui) {}

  Services services;
  const library::Library& library;  // made at program start, kept to the end
  StartupWindow window;
};

// The status bar's first two parts: what kind of thing is on view and its name. The first
// part is as wide as its text in `画板1`'s font, plus 5 pixels of the design.
void showInStatusBar(StartupWindow& w, std::string_view kind, std::string_view name);

// The name part takes the status bar's width less the kind before it and the count of
// constants after it (the last part, as wide as the design says).
void fitStatusBarName(StartupWindow& w);

// The import button's caption: what it does on the chosen area's page on view, or, while
// an import waits for the IDE's answer, that it gives the wait up.
void showImportButtonCaption(StartupWindow& w, bool importWaiting);

}  // namespace window
