#include "library/wizard_request.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "base/byte_cursor.h"
#include "base/byte_writer.h"

namespace library {
namespace {

constexpr std::uint64_t kSmallestRequestBlock = 2048;
constexpr std::uint64_t kCodeAndCount = 8;
constexpr std::uint64_t kEntryHead = 12;     // value low, value high, type tag
constexpr std::uint64_t kByteSetHead = 8;    // u32 1, u32 length
constexpr std::uint32_t kByteSetMarker = 1;  // the first word of a byte set block

std::uint64_t dataLength(const Argument& argument) {
  switch (argument.type) {
    case ArgumentType::text: return argument.bytes.size() + 1;
    case ArgumentType::byteSet: return kByteSetHead + argument.bytes.size();
    default: return 0;
  }
}

std::uint8_t* putBytes(std::uint8_t* at, std::string_view bytes) {
  if (!bytes.empty()) std::memcpy(at, bytes.data(), bytes.size());
  return at + bytes.size();
}

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
    if (count > cursor.remaining() / kEntryHead) return fail("argument count past the records' end", at + 4);
    record.arguments.resize(count);
    for (ReadArgument& argument : record.arguments) {
      if (!decodeArgument(cursor, argument)) return false;
    }
    return true;
  }

  bool decodeArgument(base::ByteCursor& cursor, ReadArgument& argument) {
    std::uint64_t at = cursor.offset();
    std::uint32_t tag = 0;
    if (!cursor.readU32(argument.valueLow) || !cursor.readU32(argument.valueHigh) || !cursor.readU32(tag)) {
      return fail("truncated argument", at);
    }
    argument.type = static_cast<ArgumentType>(tag);
    std::span<const unsigned char> bytes;
    switch (argument.type) {
      case ArgumentType::integer:
      case ArgumentType::logical: return true;
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
      default: return fail("unknown type tag " + hex(tag), at + 8);
    }
    argument.bytes.assign(bytes.begin(), bytes.end());
    return true;
  }

  base::ByteCursor whole;
  WizardRequest request;
  std::string error;
};

}  // namespace

std::uint64_t commandRecordLength(std::span<const Argument> arguments) {
  std::uint64_t length = kCodeAndCount;
  for (const Argument& argument : arguments) length += kEntryHead + dataLength(argument);
  return length;
}

void appendCommandRecord(std::string& out, std::uint32_t code, std::span<const Argument> arguments) {
  base::appendLittleEndian32(out, code);
  base::appendLittleEndian32(out, static_cast<std::uint32_t>(arguments.size()));
  for (const Argument& argument : arguments) {
    base::appendLittleEndian32(out, argument.value);
    base::appendLittleEndian32(out, 0);
    base::appendLittleEndian32(out, static_cast<std::uint32_t>(argument.type));
    if (argument.type == ArgumentType::text) {
      out.append(argument.bytes);
      out.push_back('\0');
    } else if (argument.type == ArgumentType::byteSet) {
      base::appendLittleEndian32(out, kByteSetMarker);
      base::appendLittleEndian32(out, static_cast<std::uint32_t>(argument.bytes.size()));
      out.append(argument.bytes);
    }
  }
}

std::uint64_t requestBlockSize(std::uint64_t payloadLength, std::uint64_t recordsLength) {
  return std::max(kSmallestRequestBlock, 12 + payloadLength + recordsLength);
}

void writeRequest(std::span<std::uint8_t> view, bool flag, std::string_view payload, std::string_view records) {
  std::uint8_t* at = base::putLittleEndian32(view.data(), flag ? 1 : 0);
  at = base::putLittleEndian32(at, static_cast<std::uint32_t>(payload.size()));
  at = putBytes(at, payload);
  at = base::putLittleEndian32(at, static_cast<std::uint32_t>(records.size()));
  putBytes(at, records);
}

RequestDecoding decodeRequest(std::span<const unsigned char> block) { return RequestDecoder(block).decode(); }

}  // namespace library
