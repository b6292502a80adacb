#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace platform {

// Named kernel objects of the IDE's wizard channel.
class NamedEvent {
 public:
  virtual ~NamedEvent() = default;
  virtual void signal() = 0;
  virtual void waitForever() = 0;
};

// A named block of shared memory backed by the paging file, mapped whole.
class SharedMemory {
 public:
  virtual ~SharedMemory() = default;
  virtual std::uint8_t* data() = 0;
  virtual std::uint32_t size() const = 0;
};

class KernelObjects {
 public:
  virtual ~KernelObjects() = default;
  // Opens an existing event; null if there is none of that name.
  virtual std::unique_ptr<NamedEvent> openEvent(std::string_view name) = 0;
  // Creates (or opens the existing) named block; null on failure.
  virtual std::unique_ptr<SharedMemory> createSharedMemory(std::string_view name, std::uint32_t size) = 0;
};

}  // namespace platform
