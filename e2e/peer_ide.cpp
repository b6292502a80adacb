// Test helper: an IDE of our own that behaves as real ones may, to try the wizard's wait
// for the answer. It creates the channel's events, starts wizard\apiwizard.exe from its
// own folder and, by its one argument:
//   vanish        ends at the wizard's first request without answering, as a crashed IDE
//   launch        starts the wizard through a launcher that ends at once (as Explorer or a
//                 shortcut does), then ends at the first request without answering
//   slow <ms>     reads the first request and answers after <ms> milliseconds
//   silent        reads the first request and never answers; it lives until it is killed
//   leftover      leaves "EWEVT2" signalled before the wizard starts, then ends at the
//                 first request without answering
// The request it reads is written as request-1.bin in its folder. After a slow answer it
// ends with the wizard, with the wizard's exit code.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

// Starts a program with no handles inherited; its process handle, or null.
HANDLE start(std::wstring commandLine, const wchar_t* folder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &process)) {
    return nullptr;
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

// Reads the request as the IDE does and keeps a copy of it; false when there is none.
bool readRequest() {
  HANDLE sizeBlock = OpenFileMappingW(FILE_MAP_READ, FALSE, L"EWIZ2");
  HANDLE requestBlock = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, L"EWIZ1");
  if (!sizeBlock || !requestBlock) return false;
  auto* size = static_cast<const DWORD*>(MapViewOfFile(sizeBlock, FILE_MAP_READ, 0, 0, 4));
  void* request = MapViewOfFile(requestBlock, FILE_MAP_ALL_ACCESS, 0, 0, 0);
  if (!size || !request) return false;
  HANDLE file = CreateFileW(L"request-1.bin", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, request, *size, &written, nullptr);
  CloseHandle(file);
  static_cast<char*>(request)[0] = '\0';  // an empty reply
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  // The launcher's only work: the wizard, in its own folder, and away.
  if (mode == L"launcher") return start(L"wizard\\apiwizard.exe", L"wizard") ? 0 : 3;

  HANDLE requestReady = CreateEventW(nullptr, FALSE, FALSE, L"EWEVT1");
  HANDLE replyReady = CreateEventW(nullptr, FALSE, FALSE, L"EWEVT2");
  if (!requestReady || !replyReady) return 2;
  if (mode == L"leftover") SetEvent(replyReady);
  HANDLE started =
      mode == L"launch" ? start(L"peer_ide.exe launcher", nullptr) : start(L"wizard\\apiwizard.exe", L"wizard");
  if (!started) return 3;
  WaitForSingleObject(requestReady, INFINITE);
  if (mode != L"slow" && mode != L"silent") return 1;
  if (!readRequest()) return 4;
  if (mode == L"silent") Sleep(INFINITE);
  Sleep(argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 8000);
  SetEvent(replyReady);
  // The events stay until the wizard, which closes at the answer, has ended: its exit
  // code is this one's, 5 if it did not end within 30 s.
  DWORD exitCode = 5;
  if (WaitForSingleObject(started, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(started, &exitCode);
  return static_cast<int>(exitCode);
}
