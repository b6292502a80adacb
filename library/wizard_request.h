// A wizard's request as it lies in the shared block "EWIZ1": the one description of its
// bytes, which the wizard writes and the stand-in IDE reads.
//
// Layout (u32 little-endian, packed: a word that follows a text or a byte set starts
// wherever that data ends): send flag, L, L payload bytes, N, N bytes of command records.
// A record: code, argument count, then per argument value low, value high, type tag, and
// by tag: a text's bytes and NUL, or a byte set's u32 1, u32 length and bytes. The block
// is at least 2048 bytes; whatever follows the records is not part of the request.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace library {

// The codes by which the IDE knows an argument's type.
enum class ArgumentType : std::uint32_t {
  integer = 0x80000301,
  logical = 0x80000002,
  text = 0x80000004,
  byteSet = 0x80000005,
};

// One typed argument of a command record, to be written.
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

// The bytes that one command record takes, and the record appended to `out`.
std::uint64_t commandRecordLength(std::span<const Argument> arguments);
void appendCommandRecord(std::string& out, std::uint32_t code, std::span<const Argument> arguments);

// The size of "EWIZ1": at least 2048 bytes, else exactly the request.
std::uint64_t requestBlockSize(std::uint64_t payloadLength, std::uint64_t recordsLength);

// Writes the request at the start of `view`, which holds at least 12 + L + N bytes: each of
// payload and records is copied once, straight into the view.
void writeRequest(std::span<std::uint8_t> view, bool flag, std::string_view payload, std::string_view records);

// A request read back, every length, count and tag checked before use.
struct ReadArgument {
  ArgumentType type = ArgumentType::integer;
  std::uint32_t valueLow = 0;  // integer or logical: the value; otherwise meaningless
  std::uint32_t valueHigh = 0;
  std::string bytes;  // a text (GBK, without its NUL) or a byte set's content

  bool operator==(const ReadArgument&) const = default;
};

struct CommandRecord {
  std::uint32_t code = 0;
  std::vector<ReadArgument> arguments;

  bool operator==(const CommandRecord&) const = default;
};

struct WizardRequest {
  std::uint32_t sendFlag = 0;
  std::string payload;
  std::vector<CommandRecord> records;
};

struct RequestDecoding {
  WizardRequest request;  // empty unless ok()
  std::string error;      // English, with the block offset of the fault; empty when ok
  bool ok() const { return error.empty(); }
};

// `block` is the readable part of "EWIZ1": at most its size S and at most the view.
RequestDecoding decodeRequest(std::span<const unsigned char> block);

}  // namespace library
