// The wizard channel's named events and shared memory on Windows.
#pragma once

#include <windows.h>

#include "platform/kernel_objects.h"
#include "platform/win32/handles.h"

namespace platform::win32 {

class Win32KernelObjects : public KernelObjects {
 public:
  // Finds the process that started the wizard (the IDE), so that a wait for its answer
  // ends if it ends.
  Win32KernelObjects();

  std::unique_ptr<NamedEvent> openEvent(std::string_view name) override;
  std::unique_ptr<SharedMemory> createSharedMemory(std::string_view name, std::uint32_t size) override;

 private:
  OwnedHandle starter_;  // none when it cannot be found: waits are on the event alone
};

}  // namespace platform::win32
