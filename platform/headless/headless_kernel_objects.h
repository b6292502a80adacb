// The wizard channel's kernel objects in memory, for the native tests: the test creates
// the IDE's events, plays the IDE when an event is signalled (at once or later), ends
// the IDE, makes any step fail, and reads the log of every operation in the order the
// wizard made it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/kernel_objects.h"

namespace platform::headless {

class HeadlessKernelObjects : public KernelObjects {
 public:
  // As the IDE does before it starts the wizard.
  void createEvent(const std::string& name) { events_[name]; }
  // Runs `ide` whenever the event is signalled, at signal time: the wizard's blocks are
  // open then, so `ide` can read them with block() and answer.
  void whenSignalled(const std::string& name, std::function<void()> ide) {
    events_[name].whenSignalled = std::move(ide);
  }
  // Signals an event from outside the wizard. A signal stays until it is taken or reset.
  void signal(const std::string& name);
  // The IDE ends: no other process holds its events any more.
  void endIde() { ideEnded_ = true; }

  // A block of shared memory that some other process already holds, kept while this object lives.
  std::span<std::uint8_t> holdBlock(const std::string& name, std::uint32_t size);
  // The bytes of a block that is open now (by the wizard or held); empty if there is none.
  std::span<std::uint8_t> block(const std::string& name) const;

  void failCreating(const std::string& name) { failCreating_.insert(name); }
  void failMapping(const std::string& name) { failMapping_.insert(name); }

  // "open EWEVT1", "create EWIZ1 2048", "map EWIZ1", "reset EWEVT2", "signal EWEVT1",
  // "unmap EWIZ1", "close EWIZ1"..., one entry per operation tried.
  std::vector<std::string> log;

  std::unique_ptr<NamedEvent> openEvent(std::string_view name) override;
  std::unique_ptr<SharedMemory> createSharedMemory(std::string_view name, std::uint32_t size) override;

 private:
  class Event;
  class Block;
  struct EventState {
    bool signalled = false;
    std::function<void()> whenSignalled;
  };
  using Bytes = std::vector<std::uint8_t>;

  std::map<std::string, EventState> events_;
  std::map<std::string, std::weak_ptr<Bytes>> blocks_;
  std::vector<std::shared_ptr<Bytes>> held_;
  std::set<std::string> failCreating_, failMapping_;
  bool ideEnded_ = false;
};

}  // namespace platform::headless
