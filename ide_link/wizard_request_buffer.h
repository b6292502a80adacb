// The wizard request buffer: the command records queued for the IDE since the last send,
// end to end, as library/wizard_request.h lays them out.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "library/wizard_request.h"

namespace ide_link {

using library::Argument;
using library::ArgumentType;

class WizardRequestBuffer {
 public:
  // The longest buffer that the request's 32-bit length word can describe.
  static constexpr std::uint64_t kLongest = 0xFFFFFFFF;

  explicit WizardRequestBuffer(std::uint64_t longest = kLongest) : longest_(longest) {}

  // Appends one command record. A record that would make the buffer longer than
  // its longest, or that memory cannot hold, is left out and the buffer counts as broken
  // until it is emptied, so that an incomplete request is never sent.
  void queueCommandRecord(std::uint32_t code, std::initializer_list<Argument> arguments);

  std::string_view bytes() const { return bytes_; }
  bool broken() const { return broken_; }

  // Releases the memory: the buffer is empty and whole again.
  void empty();

 private:
  std::string bytes_;
  std::uint64_t longest_;
  bool broken_ = false;
};

// The process's one request buffer: empty at start, emptied by every send, released at exit.
WizardRequestBuffer& wizardRequestBuffer();

}  // namespace ide_link
