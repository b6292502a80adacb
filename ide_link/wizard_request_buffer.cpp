#include "ide_link/wizard_request_buffer.h"

#include <algorithm>
#include <new>

#include "base/byte_writer.h"

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
  base::appendLittleEndian32(bytes_, code);
  base::appendLittleEndian32(bytes_, static_cast<std::uint32_t>(arguments.size()));
  for (const Argument& argument : arguments) {
    base::appendLittleEndian32(bytes_, argument.value);
    base::appendLittleEndian32(bytes_, 0);
    base::appendLittleEndian32(bytes_, static_cast<std::uint32_t>(argument.type));
    if (argument.type == ArgumentType::text) {
      bytes_.append(argument.bytes);
      bytes_.push_back('\0');
    } else if (argument.type == ArgumentType::byteSet) {
      base::appendLittleEndian32(bytes_, 1);
      base::appendLittleEndian32(bytes_, static_cast<std::uint32_t>(argument.bytes.size()));
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
