#include "ide_link/wizard_request_buffer.h"

#include <algorithm>
#include <new>

namespace ide_link {

void WizardRequestBuffer::queueCommandRecord(std::uint32_t code, std::initializer_list<Argument> arguments) {
  std::uint64_t length = library::commandRecordLength({arguments.begin(), arguments.end()});
  if (broken_ || length > longest_ - bytes_.size()) {
    broken_ = true;
    return;
  }
  try {
    // Geometric growth: queueing many records stays linear.
    std::size_t needed = bytes_.size() + static_cast<std::size_t>(length);
    if (needed > bytes_.capacity()) bytes_.reserve(std::max(needed, 2 * bytes_.capacity()));
  } catch (const std::bad_alloc&) {
    broken_ = true;
    return;
  }
  library::appendCommandRecord(bytes_, code, {arguments.begin(), arguments.end()});
}

void WizardRequestBuffer::empty() {
  std::string().swap(bytes_);
  broken_ = false;
}

WizardRequestBuffer& wizardRequestBuffer() {
  static WizardRequestBuffer buffer;
  return buffer;
}

}  // namespace ide_link
