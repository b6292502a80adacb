// Named kernel objects of the IDE's wizard channel: events that the IDE creates and
// blocks of shared memory that the wizard creates for one exchange. Every object closes
// itself when its holder goes away.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace platform {

class NamedEvent {
 public:
  virtual ~NamedEvent() = default;
  virtual void signal() = 0;
  // Clears a signal that nobody has taken yet, such as one left over from an exchange
  // that was given up.
  virtual void reset() = 0;
  // Whether the event is signalled, without waiting; the signal is taken (an event that
  // resets itself is reset by it).
  virtual bool takeSignal() = 0;
  // Whether another process still holds the event. Once none does, nobody is left who
  // could signal it. True when the platform cannot tell.
  virtual bool heldElsewhere() = 0;
};

// A named block of shared memory backed by the paging file.
class SharedMemory {
 public:
  virtual ~SharedMemory() = default;
  // Maps a view of the whole block with full access; it stays mapped until the block is
  // closed, and later calls give the same view. Its size is the view's real extent,
  // which for a block that existed before may be smaller than the size asked for.
  // Empty when the view cannot be mapped.
  virtual std::span<std::uint8_t> mapView() = 0;
};

class KernelObjects {
 public:
  virtual ~KernelObjects() = default;
  // Opens an existing event (names are ASCII) with full access; null if there is none
  // of that name or it cannot be opened.
  virtual std::unique_ptr<NamedEvent> openEvent(std::string_view name) = 0;
  // Creates the named block, or opens the existing block of that name whatever its
  // size; null on failure.
  virtual std::unique_ptr<SharedMemory> createSharedMemory(std::string_view name, std::uint32_t size) = 0;
};

}  // namespace platform
