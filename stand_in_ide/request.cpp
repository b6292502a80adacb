#include "stand_in_ide/request.h"

#include <string>
#include <utility>

#include "base/byte_cursor.h"

namespace stand_in_ide {
namespace {

using base::ByteCursor;

constexpr std::uint64_t kSmallestArgument = 12;  // value low, value high, type tag
constexpr std::uint32_t kByteSetMarker = 1;      // the first word of a byte set block

std::string hex(std::uint32_t value) {
  std::string text = "0x";
  for (int shift = 28; shift >= 0; shift -= 4) text += "0123456789ABCDEF"[(value >> shift) & 0xF];
  return text;
}

class RequestDecoder {
 public:
  explicit RequestDecoder(std::span<const unsigned char> block) : whole(block) {}

  RequestDecoding decode() {
    RequestDecoding decoding;
    if (decodeBlock()) {
      decoding.request = std::move(request);
    } else {
      decoding.error = std::move(error);
    }
    return decoding;
  }

 private:
  bool fail(std::string what, std::uint64_t offset) {
    error = what + " at byte " + std::to_string(offset);
    return false;
  }

  bool decodeBlock() {
    std::span<const unsigned char> payload;
    std::uint64_t at = whole.offset();
    std::uint32_t length = 0;
    if (!whole.readU32(request.sendFlag)) return fail("no send flag", at);
    at = whole.offset();
    if (!whole.readU32(length) || !whole.take(length, payload)) return fail("payload past the block's end", at);
    request.payload.assign(payload.begin(), payload.end());
    at = whole.offset();
    std::span<const unsigned char> records;
    if (!whole.readU32(length) || !whole.take(length, records)) return fail("command records past the block's end", at);
    base::ByteCursor cursor(records, at + 4);
    // Every record takes at least 8 bytes, so the records' own length bounds this loop.
    while (!cursor.atEnd()) {
      if (!decodeRecord(cursor, request.records.emplace_back())) return false;
    }
    return true;
  }

  bool decodeRecord(base::ByteCursor& cursor, CommandRecord& record) {
    std::uint64_t at = cursor.offset();
    std::uint32_t count = 0;
    if (!cursor.readU32(record.code) || !cursor.readU32(count)) return fail("truncated command record", at);
    if (count > cursor.remaining() / kSmallestArgument) return fail("argument count past the records' end", at + 4);
    record.arguments.resize(count);
    for (Argument& argument : record.arguments) {
      if (!decodeArgument(cursor, argument)) return false;
    }
    return true;
  }

  bool decodeArgument(base::ByteCursor& cursor, Argument& argument) {
    std::uint64_t at = cursor.offset();
    std::uint32_t tag = 0;
    if (!cursor.readU32(argument.valueLow) || !cursor.readU32(argument.valueHigh) || !cursor.readU32(tag)) {
      return fail("truncated argument", at);
    }
    argument.type = static_cast<ArgumentType>(tag);
    std::span<const unsigned char> bytes;
    switch (argument.type) {
      case ArgumentType::integer:
      case ArgumentType::logical:
        return true;
      case ArgumentType::text:
        if (!cursor.takeNulTerminated(bytes)) return fail("text without its NUL", at + 12);
        break;
      case ArgumentType::byteSet: {
        std::uint32_t marker = 0;
        std::uint32_t length = 0;
        if (!cursor.readU32(marker) || marker != kByteSetMarker) return fail("byte set without its marker", at + 12);
        if (!cursor.readU32(length) || !cursor.take(length, bytes))
          return fail("byte set past the records' end", at + 16);
        break;
      }
      default:
        return fail("unknown type tag " + hex(tag), at + 8);
    }
    argument.bytes.assign(bytes.begin(), bytes.end());
    return true;
  }

  base::ByteCursor whole;
  WizardRequest request;
  std::string error;
};

}  // namespace

RequestDecoding decodeRequest(std::span<const unsigned char> block) { return RequestDecoder(block).decode(); }

}  // namespace stand_in_ide
