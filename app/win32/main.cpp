// Program start of the wizard.
#include <windows.h>

#include "app/wizard_app.h"
#include "library/library.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/files.h"
#include "platform/win32/kernel_objects.h"
#include "platform/win32/services.h"
#include "platform/win32/system_paths.h"
#include "platform/win32/win32_ui.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  platform::win32::registerCommonControls();

  platform::win32::Win32Shell shell;
  // The working folder is the program's own, however the program was started.
  SetCurrentDirectoryW(platform::win32::wide(shell.programFolder()).c_str());

  platform::win32::Win32Ui ui;
  platform::win32::Win32Dialogs dialogs;
  platform::win32::Win32MessageBoxes messages;
  platform::win32::Win32Files files;
  // Made at start, while the IDE that started the wizard is surely there to be found.
  platform::win32::Win32KernelObjects kernelObjects;
  platform::win32::Win32Clipboard clipboard;
  const std::unique_ptr<const library::Library> library = library::builtInLibrary();
  app::WizardApp wizard{window::Services{ui, shell, dialogs, messages, files, kernelObjects, clipboard}, *library};
  return wizard.run();
}
