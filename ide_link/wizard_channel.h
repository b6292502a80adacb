// The wizard channel: one request to the IDE that started the wizard, over the IDE's
// named events "EWEVT1" (request ready) and "EWEVT2" (reply ready) and two blocks of
// shared memory that live for one exchange, "EWIZ1" (request, then reply) and "EWIZ2"
// (the size of "EWIZ1").
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "base/gbk_text.h"
#include "ide_link/wizard_request_buffer.h"
#include "platform/kernel_objects.h"

namespace ide_link {

// The result of every send that did not reach the IDE.
inline constexpr std::string_view kFailureText = "与易系统通讯失败！";

// The objects of one exchange, closed in the reverse order of the members: "EWEVT2",
// "EWIZ2", "EWIZ1", "EWEVT1"; each holder closes only what was made.
struct ExchangeObjects {
  std::unique_ptr<platform::NamedEvent> requestReady;   // "EWEVT1"
  std::unique_ptr<platform::SharedMemory> request;      // "EWIZ1"
  std::unique_ptr<platform::SharedMemory> requestSize;  // "EWIZ2"
  std::unique_ptr<platform::NamedEvent> replyReady;     // "EWEVT2"
};

// A request that the IDE has been signalled to read. Its objects stay open until it is
// answered or dropped, so the IDE's views stay valid for the whole exchange. Nothing
// here waits: the window goes on answering while the IDE works.
class PendingRequest {
 public:
  enum class State {
    waiting,
    answered,      // the IDE signalled "EWEVT2": reply() holds its answer
    unanswerable,  // no other process holds "EWEVT2": nobody is left who could signal it
  };

  PendingRequest(ExchangeObjects objects, std::span<const std::uint8_t> requestView)
      : objects_(std::move(objects)), requestView_(requestView) {}

  // Looks without waiting; an answer counts even when the IDE has ended since.
  State poll();
  // The text that the IDE left at the start of "EWIZ1", up to its NUL or the view's end.
  gbk::Text reply() const;

 private:
  ExchangeObjects objects_;
  std::span<const std::uint8_t> requestView_;
};

// Writes `payload` (a byte set's content) and the queued records into the blocks, clears
// any signal of "EWEVT2" left over from an earlier exchange (so that only an answer to
// this request counts), and signals "EWEVT1". Null when the request could not be
// delivered: the send's result is then kFailureText. A left-out flag is sent as true.
// The buffer is empty afterwards, whatever the outcome.
std::unique_ptr<PendingRequest> sendWizardRequest(platform::KernelObjects& kernel, WizardRequestBuffer& buffer,
                                                  std::string_view payload, std::optional<bool> flag = std::nullopt);

}  // namespace ide_link
