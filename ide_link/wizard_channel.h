// The wizard channel: one request to the IDE that started the wizard, over the IDE's
// named events "EWEVT1" (request ready) and "EWEVT2" (reply ready) and two blocks of
// shared memory that live for one exchange, "EWIZ1" (request, then reply) and "EWIZ2"
// (the size of "EWIZ1").
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "ide_link/wizard_request_buffer.h"
#include "library/gbk_text.h"
#include "platform/kernel_objects.h"

namespace ide_link {

// The result of every send that did not reach the IDE.
inline constexpr std::string_view kFailureText = "与易系统通讯失败！";

// The size of "EWIZ1": at least 2048 bytes, else exactly the request (flag, payload
// length, payload, buffer length, buffer).
std::uint64_t requestBlockSize(std::uint64_t payloadLength, std::uint64_t bufferLength);

// Writes the request at the start of `view`, which holds at least 12 + L + N bytes:
// each of payload and buffer is copied once, straight into the view.
void writeRequest(std::span<std::uint8_t> view, bool flag, std::string_view payload, std::string_view buffer);

// Sends `payload` (a byte set's content) and the queued records to the IDE and waits,
// with no time limit, for its reply: the text that the IDE left at the start of "EWIZ1",
// or kFailureText when the request was not delivered or the IDE ended without an answer.
// A left-out flag is sent as true. The buffer is empty afterwards, whatever the outcome.
gbk::Text sendWizardRequest(platform::KernelObjects& kernel, WizardRequestBuffer& buffer, std::string_view payload,
                            std::optional<bool> flag = std::nullopt);

}  // namespace ide_link
