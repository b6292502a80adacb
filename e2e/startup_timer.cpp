// Measures how long a program takes from process start until its window is up, its
// first paint is done and it answers messages. Not until its message loop first waits:
// a program may go on with work that does not show (windows of pages not on view)
// in small steps, answering between them, and Wine's WaitForInputIdle would count it.
//
//   startup_timer ROUNDS PROGRAM...   starts the programs in turn, one start each per
//                                     round (each round begins one program later, so
//                                     that none always follows the same one), after one
//                                     uncounted start of each; prints a line per round,
//                                     each program's milliseconds in the order given.
//                                     Each process is closed (WM_CLOSE) before the next
//                                     starts; one that shows no window within 30 s
//                                     counts -1.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr ULONGLONG kShowLimitMs = 30000;

struct Found {
  DWORD process;
  HWND window;
};

BOOL CALLBACK findVisibleWindow(HWND hwnd, LPARAM param) {
  auto* found = reinterpret_cast<Found*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process == found->process && IsWindowVisible(hwnd)) {
    found->window = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Waits for the started process to end, then lets its handles go.
void endStart(PROCESS_INFORMATION& pi) {
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

double runOnce(const std::wstring& program) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring commandLine = L"\"" + program + L"\"";
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    return -1;
  }
  Found found{pi.dwProcessId, nullptr};
  // Every look is a request to the Wine server, which the starting program needs too: a
  // look every 5 ms leaves it the server. A program that ends or shows nothing within
  // the limit did not start.
  const ULONGLONG giveUpAt = GetTickCount64() + kShowLimitMs;
  while (!found.window) {
    EnumWindows(findVisibleWindow, reinterpret_cast<LPARAM>(&found));
    if (found.window) break;
    if (WaitForSingleObject(pi.hProcess, 5) == WAIT_OBJECT_0 || GetTickCount64() > giveUpAt) {
      TerminateProcess(pi.hProcess, 1);
      endStart(pi);
      return -1;
    }
  }
  // A program answers a sent message only when it asks for messages, after its first
  // paint (UpdateWindow in its start-up).
  SendMessageTimeoutW(found.window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, nullptr);
  UpdateWindow(found.window);  // returns once the window has no pending paint
  QueryPerformanceCounter(&end);
  PostMessageW(found.window, WM_CLOSE, 0, 0);
  endStart(pi);
  return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const int rounds = _wtoi(argv[1]);
  const std::vector<std::wstring> programs(argv + 2, argv + argc);
  const std::size_t count = programs.size();
  // A first start of each fills the caches; its failure (a fresh Wine server sometimes
  // keeps the very first program from showing) is not counted either.
  for (const std::wstring& program : programs) runOnce(program);
  for (int round = 0; round < rounds; ++round) {
    std::vector<double> ms(count);
    for (std::size_t k = 0; k < count; ++k) {
      const std::size_t p = (static_cast<std::size_t>(round) + k) % count;
      ms[p] = runOnce(programs[p]);
    }
    for (std::size_t p = 0; p < count; ++p) std::printf(p ? " %.1f" : "%.1f", ms[p]);
    std::printf("\n");
    std::fflush(stdout);
  }
  return 0;
}
