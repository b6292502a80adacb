// The byte layout of the examples database and its auxiliary file, as the reader checks it
// (docs/examples-database.md). The tool that writes databases takes it from here.
#pragma once

#include <cstdint>
#include <string_view>

namespace examples::layout {

inline constexpr std::int32_t kNewestVersion = 0x10000;

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

}  // namespace examples::layout
