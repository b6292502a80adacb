// The pinyin reading table, generated at build time from Unicode's Unihan data by
// tools/gen_pinyin_table.py. Read it through library/pinyin.h.
#pragma once

#include <cstdint>

namespace library::pinyin_table {

// GBK double-byte codes, lead bytes 0x81 to 0xFE by trail bytes 0x40 to 0xFE.
inline constexpr int kTrailCount = 0xFE - 0x40 + 1;
inline constexpr int kCodeCount = (0xFE - 0x81 + 1) * kTrailCount;

// Toneless syllables in lower-case ASCII, sorted.
extern const int kSyllableCount;
extern const char* const kSyllables[];
// The readings of code i are kReadings[kFirstReading[i]] up to kReadings[kFirstReading[i + 1]],
// each an index into kSyllables.
extern const std::uint16_t kFirstReading[kCodeCount + 1];
extern const std::uint16_t kReadings[];

}  // namespace library::pinyin_table
