#include "stand_in_ide/win32/wizard_run.h"

#include <algorithm>
#include <cstring>

namespace stand_in_ide {
namespace {

class MappedView {
 public:
  MappedView(HANDLE mapping, DWORD access) : base(mapping ? MapViewOfFile(mapping, access, 0, 0, 0) : nullptr) {
    MEMORY_BASIC_INFORMATION info{};
    // The view's readable size, whatever sizes the other side states.
    if (base && VirtualQuery(base, &info, sizeof info) == sizeof info) size = info.RegionSize;
  }
  ~MappedView() {
    if (base) UnmapViewOfFile(base);
  }
  MappedView(const MappedView&) = delete;
  MappedView& operator=(const MappedView&) = delete;
  unsigned char* bytes() const { return static_cast<unsigned char*>(base); }
  std::size_t readable() const { return size; }

 private:
  void* base;
  std::size_t size = 0;
};

}  // namespace

bool writeFile(const std::wstring& path, const void* bytes, std::size_t size) {
  OwnedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && WriteFile(file.get(), bytes, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

WizardRun::WizardRun(HWND window, std::wstring recordFolder) : window(window), recordFolder(std::move(recordFolder)) {}

std::unique_ptr<WizardRun> WizardRun::start(HWND window, const std::wstring& ideFolder,
                                            const std::wstring& recordFolder, std::wstring& error) {
  std::unique_ptr<WizardRun> run(new WizardRun(window, recordFolder));
  // Auto-reset: each signal wakes the one waiter once.
  run->requestReady.reset(CreateEventW(nullptr, FALSE, FALSE, L"EWEVT1"));
  run->replyReady.reset(CreateEventW(nullptr, FALSE, FALSE, L"EWEVT2"));
  run->stop.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!run->requestReady || !run->replyReady || !run->stop) {
    error = L"无法创建易向导的通讯事件。";
    return nullptr;
  }
  // The wizard starts in its own folder with no command line.
  std::wstring folder = ideFolder + L"\\wizard";
  std::wstring program = folder + L"\\apiwizard.exe";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process)) {
    error = L"无法启动易向导：" + program;
    return nullptr;
  }
  CloseHandle(process.hThread);
  run->wizard.reset(process.hProcess);
  run->worker.reset(CreateThread(nullptr, 0, &WizardRun::work, run.get(), 0, nullptr));
  if (!run->worker) {
    TerminateProcess(process.hProcess, 1);  // nobody would answer it
    error = L"无法启动应答线程。";
    return nullptr;
  }
  return run;
}

WizardRun::~WizardRun() {
  if (!worker) return;
  SetEvent(stop.get());
  // The worker may be handing a request to this (the window's) thread: let sent
  // messages through while waiting for it.
  HANDLE thread = worker.get();
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
  }
}

DWORD WINAPI WizardRun::work(void* self) {
  static_cast<WizardRun*>(self)->answerRequests();
  return 0;
}

void WizardRun::answerRequests() {
  // A request first: a wizard that signals and then ends is still answered.
  HANDLE waits[] = {requestReady.get(), wizard.get(), stop.get()};
  for (;;) {
    DWORD which = WaitForMultipleObjects(3, waits, FALSE, INFINITE);
    if (which == WAIT_OBJECT_0) {
      answerOne();
      continue;
    }
    if (which == WAIT_OBJECT_0 + 1) {
      DWORD exitCode = 0;
      GetExitCodeProcess(wizard.get(), &exitCode);
      if (!recordFolder.empty()) {
        std::string text = std::to_string(exitCode);
        writeFile(recordFolder + L"\\wizard-exit-code.txt", text.data(), text.size());
      }
      PostMessageW(window, kWizardEndedMessage, exitCode, 0);
    }
    return;
  }
}

void WizardRun::answerOne() {
  OwnedHandle sizeBlock(OpenFileMappingW(FILE_MAP_READ, FALSE, L"EWIZ2"));
  OwnedHandle requestBlock(OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, L"EWIZ1"));
  MappedView sizeView(sizeBlock.get(), FILE_MAP_READ);
  MappedView requestView(requestBlock.get(), FILE_MAP_ALL_ACCESS);
  // Only a request that was read is answered: a signal with no request behind it would
  // tell the wizard that something it never sent was taken.
  if (sizeView.readable() < 4 || requestView.readable() < 1) return;
  std::uint32_t stated = 0;
  std::memcpy(&stated, sizeView.bytes(), 4);  // little-endian, as Windows is
  // A copy: the wizard's memory, which it may still change, is read once.
  std::string request(reinterpret_cast<const char*>(requestView.bytes()),
                      std::min<std::size_t>(stated, requestView.readable()));
  ++requestsAnswered;
  if (!recordFolder.empty()) {
    writeFile(recordFolder + L"\\request-" + std::to_wstring(requestsAnswered) + L".bin", request.data(),
              request.size());
  }
  Exchange exchange{{reinterpret_cast<const unsigned char*>(request.data()), request.size()}, {}};
  SendMessageW(window, kRequestMessage, 0, reinterpret_cast<LPARAM>(&exchange));
  std::size_t length = std::min(exchange.reply.size(), requestView.readable() - 1);
  std::memcpy(requestView.bytes(), exchange.reply.data(), length);
  requestView.bytes()[length] = 0;
  if (!recordFolder.empty()) {
    writeFile(recordFolder + L"\\reply-" + std::to_wstring(requestsAnswered) + L".txt", requestView.bytes(), length);
  }
  SetEvent(replyReady.get());
}

}  // namespace stand_in_ide
