#include "platform/headless/headless_kernel_objects.h"

#include <utility>

namespace platform::headless {

class HeadlessKernelObjects::Event : public NamedEvent {
 public:
  Event(HeadlessKernelObjects& owner, std::string name) : owner_(owner), name_(std::move(name)) {}
  ~Event() override { owner_.log.push_back("close " + name_); }

  void signal() override { owner_.signal(name_); }

  void reset() override {
    owner_.log.push_back("reset " + name_);
    owner_.events_[name_].signalled = false;
  }
  bool takeSignal() override { return std::exchange(owner_.events_[name_].signalled, false); }
  bool heldElsewhere() override { return !owner_.ideEnded_; }

 private:
  HeadlessKernelObjects& owner_;
  std::string name_;
};

class HeadlessKernelObjects::Block : public SharedMemory {
 public:
  Block(HeadlessKernelObjects& owner, std::string name, std::shared_ptr<Bytes> bytes)
      : owner_(owner), name_(std::move(name)), bytes_(std::move(bytes)) {}
  ~Block() override {
    if (mapped_) owner_.log.push_back("unmap " + name_);
    owner_.log.push_back("close " + name_);
  }

  std::span<std::uint8_t> mapView() override {
    if (mapped_) return *bytes_;
    owner_.log.push_back("map " + name_);
    if (owner_.failMapping_.contains(name_)) return {};
    mapped_ = true;
    return *bytes_;
  }

 private:
  HeadlessKernelObjects& owner_;
  std::string name_;
  std::shared_ptr<Bytes> bytes_;
  bool mapped_ = false;
};

void HeadlessKernelObjects::signal(const std::string& name) {
  log.push_back("signal " + name);
  EventState& state = events_[name];
  state.signalled = true;
  if (state.whenSignalled) state.whenSignalled();
}

std::span<std::uint8_t> HeadlessKernelObjects::holdBlock(const std::string& name, std::uint32_t size) {
  held_.push_back(std::make_shared<Bytes>(size));
  blocks_[name] = held_.back();
  return *held_.back();
}

std::span<std::uint8_t> HeadlessKernelObjects::block(const std::string& name) const {
  auto found = blocks_.find(name);
  if (found == blocks_.end()) return {};
  std::shared_ptr<Bytes> bytes = found->second.lock();
  return bytes ? std::span<std::uint8_t>(*bytes) : std::span<std::uint8_t>();
}

std::unique_ptr<NamedEvent> HeadlessKernelObjects::openEvent(std::string_view name) {
  std::string key(name);
  log.push_back("open " + key);
  if (!events_.contains(key)) return nullptr;
  return std::make_unique<Event>(*this, key);
}

std::unique_ptr<SharedMemory> HeadlessKernelObjects::createSharedMemory(std::string_view name, std::uint32_t size) {
  std::string key(name);
  log.push_back("create " + key + " " + std::to_string(size));
  if (failCreating_.contains(key)) return nullptr;
  // As on Windows, an existing block is handed back with the size it has.
  std::shared_ptr<Bytes> bytes = blocks_[key].lock();
  if (!bytes) {
    bytes = std::make_shared<Bytes>(size);
    blocks_[key] = bytes;
  }
  return std::make_unique<Block>(*this, key, std::move(bytes));
}

}  // namespace platform::headless
