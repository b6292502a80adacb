// One run of the wizard from the stand-in IDE's menu 工具->执行易向导: the IDE's side of
// the wizard channel. It creates the events "EWEVT1" (request ready) and "EWEVT2" (reply
// ready), starts wizard\apiwizard.exe from the IDE's folder, and answers every request
// on a worker thread until the wizard ends. The open program belongs to the window's
// thread, so each request is handed there (kRequestMessage) and answered from there.
#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <string>

#include "platform/win32/handles.h"

namespace stand_in_ide {

// Sent to the window for each request; lParam points to an Exchange whose reply the
// window's handler fills in.
constexpr UINT kRequestMessage = WM_APP + 1;
// Posted when the wizard has ended; wParam holds its exit code.
constexpr UINT kWizardEndedMessage = WM_APP + 2;

struct Exchange {
  std::span<const unsigned char> request;  // "EWIZ1" as far as its size S and the view reach
  std::string reply;                       // GBK, without its NUL
};

// Kernel handles close themselves, as in the wizard.
using platform::win32::OwnedHandle;

// Writes `size` bytes as the whole of the file at `path`; false if any of it fails.
bool writeFile(const std::wstring& path, const void* bytes, std::size_t size);

class WizardRun {
 public:
  // Empty `recordFolder`: nothing is recorded. Otherwise every request is written there
  // byte for byte as request-1.bin, request-2.bin, ..., each reply as reply-1.txt, ...
  // (GBK, written before the wizard is signalled), and the wizard's exit code as
  // wizard-exit-code.txt. Returns null, with `error` set, when the wizard cannot start.
  static std::unique_ptr<WizardRun> start(HWND window, const std::wstring& ideFolder, const std::wstring& recordFolder,
                                          std::wstring& error);
  // Stops answering; returns once the worker has ended.
  ~WizardRun();

 private:
  WizardRun(HWND window, std::wstring recordFolder);
  static DWORD WINAPI work(void* self);
  void answerRequests();
  void answerOne();

  HWND window;
  std::wstring recordFolder;
  int requestsAnswered = 0;
  OwnedHandle requestReady;
  OwnedHandle replyReady;
  OwnedHandle stop;
  OwnedHandle wizard;
  OwnedHandle worker;
};

}  // namespace stand_in_ide
