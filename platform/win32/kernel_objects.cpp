#include "platform/win32/kernel_objects.h"

namespace platform::win32 {

namespace {

// Object names are ASCII.
std::wstring asciiName(std::string_view name) { return std::wstring(name.begin(), name.end()); }

// How many handles, of every process, are open on the object; 0 when it cannot be told.
// NtQueryObject answers with the structure that every SDK documents for its class 0.
ULONG handleCount(HANDLE object) {
  struct BasicInformation {
    ULONG attributes;
    ACCESS_MASK grantedAccess;
    ULONG handleCount;
    ULONG pointerCount;
    ULONG reserved[10];
  };
  using Query = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  static const auto query =
      reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
  BasicInformation information{};
  constexpr int kBasicInformation = 0;
  if (!query || query(object, kBasicInformation, &information, sizeof information, nullptr) < 0) return 0;
  return information.handleCount;
}

class Win32Event : public NamedEvent {
 public:
  explicit Win32Event(OwnedHandle event) : event_(std::move(event)) {}

  void signal() override { SetEvent(event_.get()); }
  void reset() override { ResetEvent(event_.get()); }
  bool takeSignal() override { return WaitForSingleObject(event_.get(), 0) == WAIT_OBJECT_0; }
  // Ours is one handle; any other is another process's, the IDE's above all. A count
  // that cannot be told counts as held: the user can still give up the wait.
  bool heldElsewhere() override {
    const ULONG count = handleCount(event_.get());
    return count == 0 || count > 1;
  }

 private:
  OwnedHandle event_;
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

std::unique_ptr<NamedEvent> Win32KernelObjects::openEvent(std::string_view name) {
  OwnedHandle event(OpenEventW(EVENT_ALL_ACCESS, FALSE, asciiName(name).c_str()));
  if (!event) return nullptr;
  return std::make_unique<Win32Event>(std::move(event));
}

std::unique_ptr<SharedMemory> Win32KernelObjects::createSharedMemory(std::string_view name, std::uint32_t size) {
  OwnedHandle mapping(
      CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, asciiName(name).c_str()));
  if (!mapping) return nullptr;
  return std::make_unique<Win32SharedMemory>(std::move(mapping));
}

}  // namespace platform::win32
