// The wizard request buffer: the command records queued for the IDE since the last send,
// end to end, packed (a word that follows a text or a byte set starts wherever that
// data ends), little-endian.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace ide_link {

// The codes by which the IDE knows an argument's type.
enum class ArgumentType : std::uint32_t {
  integer = 0x80000301,
  logical = 0x80000002,
  text = 0x80000004,
  byteSet = 0x80000005,
};

// One typed argument of a command record.
struct Argument {
  ArgumentType type;
  std::uint32_t value = 0;  // integer (two's complement) or logical (1 or 0)
  std::string_view bytes;   // text or byte set content

  static Argument integer(std::int32_t value) { return {ArgumentType::integer, static_cast<std::uint32_t>(value), {}}; }
  static Argument logical(bool value) { return {ArgumentType::logical, value ? 1u : 0u, {}}; }
  // The IDE reads a text up to its NUL, so a text ends at its first NUL here too: a NUL
  // inside it would make the IDE read the rest of the record out of step.
  static Argument text(std::string_view text) { return {ArgumentType::text, 0, text.substr(0, text.find('\0'))}; }
  static Argument byteSet(std::string_view bytes) { return {ArgumentType::byteSet, 0, bytes}; }
};

class WizardRequestBuffer {
 public:
  // The longest buffer that the request's 32-bit length word can describe.
  static constexpr std::uint64_t kLongest = 0xFFFFFFFF;

  explicit WizardRequestBuffer(std::uint64_t longest = kLongest) : longest_(longest) {}

  // Appends one command record: code, argument count, then one entry per argument (value
  // low, value high 0, type tag, data). A record that would make the buffer longer than
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
