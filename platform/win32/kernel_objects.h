// The wizard channel's named events and shared memory on Windows.
#pragma once

#include <windows.h>

#include "platform/kernel_objects.h"
#include "platform/win32/handles.h"

namespace platform::win32 {

class Win32KernelObjects : public KernelObjects {
 public:
  std::unique_ptr<NamedEvent> openEvent(std::string_view name) override;
  std::unique_ptr<SharedMemory> createSharedMemory(std::string_view name, std::uint32_t size) override;
};

}  // namespace platform::win32
