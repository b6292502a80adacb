// The byte layout of the examples database and its auxiliary file (docs/examples-database.md):
// the one description that the wizard's reader and the tool that writes databases share.
#pragma once

#include <cstdint>
#include <string_view>

namespace library::example_layout {

inline constexpr std::int32_t kNewestVersion = 0x10000;

// A field's type, as its descriptor stores it.
enum class FieldType : std::int32_t {
  byte = 1,
  shortInteger = 2,
  integer = 3,
  longInteger = 4,
  singleFloat = 5,
  doubleFloat = 6,
  logical = 7,
  dateTime = 8,
  subroutinePointer = 9,
  text = 10,
  byteSet = 11,
  memo = 12,
};

// Bytes in a record of each type but text, whose descriptor gives its size.
constexpr std::uint32_t storedSize(FieldType type) {
  switch (type) {
    case FieldType::byte:
    case FieldType::logical: return 1;
    case FieldType::shortInteger: return 2;
    case FieldType::longInteger:
    case FieldType::doubleFloat:
    case FieldType::dateTime: return 8;
    default: return 4;
  }
}

// Byte set and memo values live in the auxiliary file's blocks; the record holds the first.
constexpr bool keepsValuesInBlocks(FieldType type) { return type == FieldType::byteSet || type == FieldType::memo; }

// The database file's header.
inline constexpr std::string_view kDatabaseMagic = "WEDB";
inline constexpr std::uint64_t kHeaderSize = 112;
inline constexpr std::uint64_t kVersionAt = 4;
inline constexpr std::uint64_t kRecordCountAt = 16;
inline constexpr std::uint64_t kPositiveInt32At = 20;  // must be above 0, and is not read otherwise
inline constexpr std::uint64_t kRecordLengthAt = 24;

// The field table after it.
inline constexpr std::uint64_t kFieldCountAt = 112;
inline constexpr std::uint64_t kFirstDescriptorAt = 116;
inline constexpr std::uint64_t kDescriptorSize = 72;
inline constexpr std::uint64_t kNameBytes = 17;  // a name of at most 16 bytes and its NUL
inline constexpr std::uint64_t kLongestFieldName = kNameBytes - 1;
inline constexpr std::uint64_t kTypeAt = 20;
inline constexpr std::uint64_t kFieldOffsetAt = 24;
inline constexpr std::uint64_t kTextSizeAt = 28;

// The auxiliary file: 512-byte blocks, block 0 the header.
inline constexpr std::string_view kAuxiliaryMagic = "WEDT";
inline constexpr std::uint64_t kAuxiliaryHeaderSize = 32;
inline constexpr std::uint64_t kBlockCountAt = 16;
inline constexpr std::uint64_t kFreeBookkeepingAt[] = {20, 24};
inline constexpr std::uint64_t kBlockSize = 512;
inline constexpr std::uint64_t kPreviousBlockAt = 0;  // kept by the writer, not read
inline constexpr std::uint64_t kNextBlockAt = 4;
inline constexpr std::uint64_t kDataCountAt = 8;
inline constexpr std::uint64_t kBlockHeaderSize = 12;
inline constexpr std::int32_t kBlockDataBytes = 500;

}  // namespace library::example_layout
