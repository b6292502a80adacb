// Program start of the stand-in IDE, e.exe: a small program in the E-language IDE's
// place that opens a program file, starts the wizard and answers its requests.
//
//   e.exe                 a new, empty program
//   e.exe <path>          the program file at <path>: the whole rest of the command line
//   e.exe /wizard         a new program, and 工具->执行易向导 at once
//
// With the environment variable STAND_IN_IDE_RECORD naming a folder, every request of
// the wizard is kept there byte for byte (request-1.bin, ...) with its reply
// (reply-1.txt, ...) and the wizard's exit code (wizard-exit-code.txt), for the
// end-to-end tests.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "stand_in_ide/command_line.h"
#include "stand_in_ide/win32/ide_window.h"

namespace {

std::wstring environment(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  stand_in_ide::StartRequest start = stand_in_ide::readCommandLine(GetCommandLineW());
  stand_in_ide::IdeWindow window(start.programPath, environment(L"STAND_IN_IDE_RECORD"));
  if (!window.create(show)) return 1;
  if (start.runWizard) window.菜单_执行易向导_chosen();

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.translateShortcut(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
