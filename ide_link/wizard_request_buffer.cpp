#include "ide_link/wizard_request_buffer.h"

#include <algorithm>
#include <new>

namespace ide_link {

namespace {

constexpr std::uint64_t kCodeAndCount = 8;
constexpr std::uint64_t kEntryHead = 12;     // value low, value high, type tag
constexpr std::uint64_t kByteSetHead = 8;    // u32 1, u32 length

std::uint64_t dataLength(const Argument& argument) {
  switch (argument.type) {
    case ArgumentType::text: return argument.bytes.size() + 1;
    case ArgumentType::byteSet: return kByteSetHead + argument.bytes.size();
    default: return 0;
  }
}

void appendWord(std::string& out, std::uint32_t word) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((word >> shift) & 0xFF));
}

}  // namespace

void WizardRequestBuffer::queueCommandRecord(std::uint32_t code, std::initializer_list<Argument> arguments) {
  std::uint64_t length = kCodeAndCount;
  for (const Argument& argument : arguments) length += kEntryHead + dataLength(argument);
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
  appendWord(bytes_, code);
  appendWord(bytes_, static_cast<std::uint32_t>(arguments.size()));
  for (const Argument& argument : arguments) {
    appendWord(bytes_, argument.value);
    appendWord(bytes_, 0);
    appendWord(bytes_, static_cast<std::uint32_t>(argument.type));
    if (argument.type == ArgumentType::text) {
      bytes_.append(argument.bytes);
      bytes_.push_back('\0');
    } else if (argument.type == ArgumentType::byteSet) {
      appendWord(bytes_, 1);
      appendWord(bytes_, static_cast<std::uint32_t>(argument.bytes.size()));
      bytes_.append(argument.bytes);
    }
  }
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
