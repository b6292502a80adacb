// Writes little-endian words into bytes that leave the program (program files, the IDE
// link's shared memory, the examples database): the byte order that ByteCursor reads.
#pragma once

#include <array>
#include <cstdint>

namespace base {

// The four bytes of `value`, least significant first.
constexpr std::array<unsigned char, 4> littleEndian32(std::uint32_t value) {
  return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
          static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
}

// Appends the four bytes to a byte container (std::string, std::vector<char>, …).
template <class Bytes>
void appendLittleEndian32(Bytes& out, std::uint32_t value) {
  for (unsigned char byte : littleEndian32(value)) out.push_back(static_cast<typename Bytes::value_type>(byte));
}

// Writes the four bytes at `at`, which must have room for them; returns the place after them.
template <class Byte>
Byte* putLittleEndian32(Byte* at, std::uint32_t value) {
  for (unsigned char byte : littleEndian32(value)) *at++ = static_cast<Byte>(byte);
  return at;
}

}  // namespace base
