// Test helper: an IDE that ends while the wizard waits for its answer, as a crashed one
// would. It creates the channel's events, starts wizard\apiwizard.exe from its own folder
// and, at the wizard's first request, ends without answering.
#include <windows.h>

int wmain() {
  HANDLE requestReady = CreateEventW(nullptr, FALSE, FALSE, L"EWEVT1");
  HANDLE replyReady = CreateEventW(nullptr, FALSE, FALSE, L"EWEVT2");
  if (!requestReady || !replyReady) return 2;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION wizard{};
  wchar_t commandLine[] = L"wizard\\apiwizard.exe";
  if (!CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, L"wizard", &startup, &wizard)) return 3;
  WaitForSingleObject(requestReady, INFINITE);
  return 1;
}
