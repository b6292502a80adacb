// Reads little-endian fields from bytes that come from outside the program (program
// files, the IDE link's shared memory). A read that does not fit what remains fails and
// leaves the position where it was, so a caller never reads past the end; sizes and
// offsets are 64-bit so that no 32-bit length read from the bytes can overflow them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>

namespace base {

class ByteCursor {
 public:
  // `startOffset` is the offset of `content` within the whole input, so that offset()
  // names positions in the terms a reader reports its errors in.
  explicit ByteCursor(std::span<const unsigned char> content, std::uint64_t startOffset = 0)
      : bytes(content), base(startOffset) {}

  std::uint64_t offset() const { return base + position; }
  std::uint64_t remaining() const { return bytes.size() - position; }
  bool atEnd() const { return position == bytes.size(); }

  bool readU32(std::uint32_t& value) {
    if (remaining() < 4) return false;
    value = 0;
    for (std::uint64_t i = 0; i < 4; ++i) value |= std::uint32_t{bytes[position + i]} << (8 * i);
    position += 4;
    return true;
  }

  bool take(std::uint64_t length, std::span<const unsigned char>& out) {
    if (length > remaining()) return false;
    out = bytes.subspan(static_cast<std::size_t>(position), static_cast<std::size_t>(length));
    position += length;
    return true;
  }

  // A NUL-terminated string: `out` gets the bytes before the NUL, and the NUL is passed.
  // Fails when no NUL remains.
  bool takeNulTerminated(std::span<const unsigned char>& out) {
    auto rest = bytes.subspan(static_cast<std::size_t>(position));
    auto nul = std::find(rest.begin(), rest.end(), static_cast<unsigned char>(0));
    if (nul == rest.end()) return false;
    out = rest.first(static_cast<std::size_t>(nul - rest.begin()));
    position += out.size() + 1;
    return true;
  }

 private:
  std::span<const unsigned char> bytes;
  std::uint64_t base;
  std::uint64_t position = 0;
};

}  // namespace base
