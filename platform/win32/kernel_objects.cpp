#include "platform/win32/kernel_objects.h"

namespace platform::win32 {

namespace {

// Object names are ASCII.
std::wstring asciiName(std::string_view name) { return std::wstring(name.begin(), name.end()); }

FILETIME creationTime(HANDLE process) {
  FILETIME created{}, exited, kernel, user;
  GetProcessTimes(process, &created, &exited, &kernel, &user);
  return created;
}

// The id of the process that started this one. NtQueryInformationProcess answers at
// once where a snapshot of all processes would list every process and thread first; the
// structure is declared here with the layout that every SDK documents.
DWORD parentProcessId() {
  struct BasicInformation {
    void* reserved1;
    void* pebBaseAddress;
    void* reserved2[2];
    ULONG_PTR uniqueProcessId;
    ULONG_PTR parentProcessId;
  };
  using Query = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  BasicInformation information{};
  constexpr int kBasicInformation = 0;
  if (!query || query(GetCurrentProcess(), kBasicInformation, &information, sizeof information, nullptr) < 0) return 0;
  return static_cast<DWORD>(information.parentProcessId);
}

// The parent process, opened for waiting; none if it cannot be found or opened, has
// already ended, or was made after this process (its id was taken over by a newer one).
OwnedHandle openStarterProcess() {
  const DWORD parent = parentProcessId();
  if (parent == 0) return {};
  OwnedHandle starter(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, parent));
  if (!starter) return {};
  FILETIME starterCreated = creationTime(starter.get()), selfCreated = creationTime(GetCurrentProcess());
  if (CompareFileTime(&starterCreated, &selfCreated) > 0) return {};
  if (WaitForSingleObject(starter.get(), 0) != WAIT_TIMEOUT) return {};
  return starter;
}

class Win32Event : public NamedEvent {
 public:
  Win32Event(OwnedHandle event, HANDLE starter) : event_(std::move(event)), starter_(starter) {}

  void signal() override { SetEvent(event_.get()); }

  bool waitForSignal() override {
    if (!starter_) return WaitForSingleObject(event_.get(), INFINITE) == WAIT_OBJECT_0;
    // The event comes first: when both are signalled, the answer counts.
    HANDLE both[] = {event_.get(), starter_};
    return WaitForMultipleObjects(2, both, FALSE, INFINITE) == WAIT_OBJECT_0;
  }

 private:
  OwnedHandle event_;
  HANDLE starter_;
};

struct ViewUnmapper {
  void operator()(void* view) const { UnmapViewOfFile(view); }
};

class Win32SharedMemory : public SharedMemory {
 public:
  explicit Win32SharedMemory(OwnedHandle mapping) : mapping_(std::move(mapping)) {}

  std::span<std::uint8_t> mapView() override {
    if (!view_) {
      view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
      if (!view_) return {};
      // The view's real extent: a mapping of this name made before by someone else
      // keeps its own size, whatever size was asked for.
      MEMORY_BASIC_INFORMATION region{};
      if (VirtualQuery(view_.get(), &region, sizeof region) == sizeof region) size_ = region.RegionSize;
    }
    return {static_cast<std::uint8_t*>(view_.get()), size_};
  }

 private:
  OwnedHandle mapping_;
  std::unique_ptr<void, ViewUnmapper> view_;  // unmapped before the mapping closes
  std::size_t size_ = 0;
};

}  // namespace

Win32KernelObjects::Win32KernelObjects() : starter_(openStarterProcess()) {}

std::unique_ptr<NamedEvent> Win32KernelObjects::openEvent(std::string_view name) {
  OwnedHandle event(OpenEventW(EVENT_ALL_ACCESS, FALSE, asciiName(name).c_str()));
  if (!event) return nullptr;
  return std::make_unique<Win32Event>(std::move(event), starter_.get());
}

std::unique_ptr<SharedMemory> Win32KernelObjects::createSharedMemory(std::string_view name, std::uint32_t size) {
  OwnedHandle mapping(
      CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, asciiName(name).c_str()));
  if (!mapping) return nullptr;
  return std::make_unique<Win32SharedMemory>(std::move(mapping));
}

}  // namespace platform::win32
