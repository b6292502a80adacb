#include "ide_link/wizard_channel.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "library/byte_writer.h"

namespace ide_link {

namespace {

constexpr std::uint64_t kSmallestRequestBlock = 2048;
constexpr std::uint64_t kLargestBlock = 0xFFFFFFFF;  // the size word of "EWIZ2"
constexpr std::uint32_t kSizeBlock = 4;

std::uint8_t* putBytes(std::uint8_t* at, std::string_view bytes) {
  if (!bytes.empty()) std::memcpy(at, bytes.data(), bytes.size());
  return at + bytes.size();
}

// The text at the start of the view, up to its NUL; a reply without one ends with the view.
gbk::Text replyIn(std::span<const std::uint8_t> view) {
  std::string_view all(reinterpret_cast<const char*>(view.data()), view.size());
  return gbk::Text(all.substr(0, all.find('\0')));
}

// The objects of one exchange. Members are destroyed in reverse order, which is the
// order in which an exchange closes them: "EWEVT2", "EWIZ2", "EWIZ1", "EWEVT1"; each
// holder closes only what was made.
struct Exchange {
  std::unique_ptr<platform::NamedEvent> requestReady;  // "EWEVT1"
  std::unique_ptr<platform::SharedMemory> request;     // "EWIZ1"
  std::unique_ptr<platform::SharedMemory> requestSize; // "EWIZ2"
  std::unique_ptr<platform::NamedEvent> replyReady;    // "EWEVT2"
};

gbk::Text exchange(platform::KernelObjects& kernel, const WizardRequestBuffer& buffer, std::string_view payload,
                   bool flag) {
  Exchange objects;
  objects.requestReady = kernel.openEvent("EWEVT1");
  if (!objects.requestReady) return gbk::Text(kFailureText);
  objects.replyReady = kernel.openEvent("EWEVT2");
  if (!objects.replyReady) return gbk::Text(kFailureText);

  // A record that could not be queued, or a request too large for the size word, would
  // reach the IDE incomplete or misdescribed.
  std::uint64_t size = requestBlockSize(payload.size(), buffer.bytes().size());
  if (buffer.broken() || size > kLargestBlock) return gbk::Text(kFailureText);

  objects.request = kernel.createSharedMemory("EWIZ1", static_cast<std::uint32_t>(size));
  if (!objects.request) return gbk::Text(kFailureText);
  objects.requestSize = kernel.createSharedMemory("EWIZ2", kSizeBlock);
  if (!objects.requestSize) return gbk::Text(kFailureText);

  // A block of that name that existed before keeps its own size: nothing is written
  // past the end of a view.
  std::span<std::uint8_t> requestView = objects.request->mapView();
  if (requestView.size() < size) return gbk::Text(kFailureText);
  writeRequest(requestView, flag, payload, buffer.bytes());
  std::span<std::uint8_t> sizeView = objects.requestSize->mapView();
  if (sizeView.size() < kSizeBlock) return gbk::Text(kFailureText);
  library::putLittleEndian32(sizeView.data(), static_cast<std::uint32_t>(size));

  objects.requestReady->signal();
  if (!objects.replyReady->waitForSignal()) return gbk::Text(kFailureText);
  return replyIn(requestView);
}

}  // namespace

std::uint64_t requestBlockSize(std::uint64_t payloadLength, std::uint64_t bufferLength) {
  return std::max(kSmallestRequestBlock, 12 + payloadLength + bufferLength);
}

void writeRequest(std::span<std::uint8_t> view, bool flag, std::string_view payload, std::string_view buffer) {
  std::uint8_t* at = library::putLittleEndian32(view.data(), flag ? 1 : 0);
  at = library::putLittleEndian32(at, static_cast<std::uint32_t>(payload.size()));
  at = putBytes(at, payload);
  at = library::putLittleEndian32(at, static_cast<std::uint32_t>(buffer.size()));
  putBytes(at, buffer);
}

gbk::Text sendWizardRequest(platform::KernelObjects& kernel, WizardRequestBuffer& buffer, std::string_view payload,
                            std::optional<bool> flag) {
  gbk::Text result = exchange(kernel, buffer, payload, flag.value_or(true));
  buffer.empty();
  return result;
}

}  // namespace ide_link
