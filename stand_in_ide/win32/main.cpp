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

#include "library/program_image.h"
#include "stand_in_ide/command_line.h"
#include "stand_in_ide/win32/ide_window.h"

namespace {

constexpr std::uint64_t kLargestProgramFile = 256u << 20;

std::wstring environment(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

// The program file at `path`, or an empty `error`-free new program when `path` is empty.
library::ProgramImage openProgram(const std::wstring& path, std::wstring& error) {
  if (path.empty()) return library::newProgram();
  stand_in_ide::OwnedHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size)) {
    error = L"无法打开文件：" + path;
    return library::newProgram();
  }
  if (static_cast<std::uint64_t>(size.QuadPart) > kLargestProgramFile) {
    error = L"文件太大，不是程序文件：" + path;
    return library::newProgram();
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()) {
    error = L"无法读取文件：" + path;
    return library::newProgram();
  }
  library::ImageReading reading = library::readProgramImage(bytes);
  if (!reading.ok()) {
    std::string why = library::describe(reading.error);
    error = L"不是程序文件：" + path + L"\n(" + std::wstring(why.begin(), why.end()) + L")";
    return library::newProgram();
  }
  return std::move(reading.image);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  stand_in_ide::StartRequest start = stand_in_ide::readCommandLine(GetCommandLineW());
  std::wstring error;
  library::ProgramImage program = openProgram(start.programPath, error);
  if (!error.empty()) {
    MessageBoxW(nullptr, error.c_str(), L"信息：", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    start.programPath.clear();
  }
  stand_in_ide::IdeWindow window(std::move(program), start.programPath, environment(L"STAND_IN_IDE_RECORD"));
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
