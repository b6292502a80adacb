// A wizard's request as the IDE finds it in the shared block "EWIZ1": decoded from bytes
// that another process wrote, so every length, count and tag is checked before use.
//
// Layout (u32 little-endian, packed): send flag, L, L payload bytes, N, N bytes of
// command records. A record: code, argument count, then per argument value low, value
// high, type tag, and by tag: a text's bytes and NUL, or a byte set's u32 1, u32 length
// and bytes. Whatever follows the records up to the block's end is not part of the
// request.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace stand_in_ide {

enum class ArgumentType : std::uint32_t {
  integer = 0x80000301,
  logical = 0x80000002,
  text = 0x80000004,
  byteSet = 0x80000005,
};

struct Argument {
  ArgumentType type = ArgumentType::integer;
  std::uint32_t valueLow = 0;  // integer or logical: the value; otherwise meaningless
  std::uint32_t valueHigh = 0;
  std::string bytes;  // a text (GBK, without its NUL) or a byte set's content

  bool operator==(const Argument&) const = default;
};

struct CommandRecord {
  std::uint32_t code = 0;
  std::vector<Argument> arguments;

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

}  // namespace stand_in_ide
