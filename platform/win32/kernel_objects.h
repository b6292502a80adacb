// The wizard channel's named events and shared memory on Windows.
#pragma once

#include <windows.h>

#include <utility>

#include "platform/kernel_objects.h"

namespace platform::win32 {

// Closes a kernel object's handle when it goes away.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  ~UniqueHandle() {
    if (handle_) CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HANDLE handle_ = nullptr;
};

class Win32KernelObjects : public KernelObjects {
 public:
  // Finds the process that started the wizard (the IDE), so that a wait for its answer
  // ends if it ends.
  Win32KernelObjects();

  std::unique_ptr<NamedEvent> openEvent(std::string_view name) override;
  std::unique_ptr<SharedMemory> createSharedMemory(std::string_view name, std::uint32_t size) override;

 private:
  UniqueHandle starter_;  // none when it cannot be found: waits are on the event alone
};

}  // namespace platform::win32
