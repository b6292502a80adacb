#include "ide_link/wizard_channel.h"

#include "base/byte_writer.h"

namespace ide_link {

namespace {

constexpr std::uint64_t kLargestBlock = 0xFFFFFFFF;  // the size word of "EWIZ2"
constexpr std::uint32_t kSizeBlock = 4;

std::unique_ptr<PendingRequest> exchange(platform::KernelObjects& kernel, const WizardRequestBuffer& buffer,
                                         std::string_view payload, bool flag) {
  ExchangeObjects objects;
  objects.requestReady = kernel.openEvent("EWEVT1");
  if (!objects.requestReady) return nullptr;
  objects.replyReady = kernel.openEvent("EWEVT2");
  if (!objects.replyReady) return nullptr;

  // A record that could not be queued, or a request too large for the size word, would
  // reach the IDE incomplete or misdescribed.
  std::uint64_t size = library::requestBlockSize(payload.size(), buffer.bytes().size());
  if (buffer.broken() || size > kLargestBlock) return nullptr;

  objects.request = kernel.createSharedMemory("EWIZ1", static_cast<std::uint32_t>(size));
  if (!objects.request) return nullptr;
  objects.requestSize = kernel.createSharedMemory("EWIZ2", kSizeBlock);
  if (!objects.requestSize) return nullptr;

  // A block of that name that existed before keeps its own size: nothing is written
  // past the end of a view.
  std::span<std::uint8_t> requestView = objects.request->mapView();
  if (requestView.size() < size) return nullptr;
  library::writeRequest(requestView, flag, payload, buffer.bytes());
  std::span<std::uint8_t> sizeView = objects.requestSize->mapView();
  if (sizeView.size() < kSizeBlock) return nullptr;
  base::putLittleEndian32(sizeView.data(), static_cast<std::uint32_t>(size));

  // A signal left by an exchange that was given up, or by an IDE that signalled with no
  // request, would pass for the answer to this one.
  objects.replyReady->reset();
  objects.requestReady->signal();
  return std::make_unique<PendingRequest>(std::move(objects), requestView);
}

}  // namespace

PendingRequest::State PendingRequest::poll() {
  if (objects_.replyReady->takeSignal()) return State::answered;
  return objects_.replyReady->heldElsewhere() ? State::waiting : State::unanswerable;
}

gbk::Text PendingRequest::reply() const {
  std::string_view all(reinterpret_cast<const char*>(requestView_.data()), requestView_.size());
  return gbk::Text(all.substr(0, all.find('\0')));
}

std::unique_ptr<PendingRequest> sendWizardRequest(platform::KernelObjects& kernel, WizardRequestBuffer& buffer,
                                                  std::string_view payload, std::optional<bool> flag) {
  std::unique_ptr<PendingRequest> pending = exchange(kernel, buffer, payload, flag.value_or(true));
  buffer.empty();
  return pending;
}

}  // namespace ide_link
