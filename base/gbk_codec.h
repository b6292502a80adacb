// Conversion between GBK (code page 936) and Unicode.
//
// The wizard works on GBK bytes throughout; Unicode appears only where text crosses
// into the platform (UTF-16) or comes from the UTF-8 data sources at build time.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gbk {

// Every byte sequence converts; a byte that starts no valid character gives U+FFFD.
std::u16string toUtf16(std::string_view gbkText);

// A character that GBK cannot represent becomes '?'.
std::string fromUtf16(std::u16string_view utf16);

// Strict conversion for data files: nullopt if the UTF-8 is malformed or holds a
// character outside GBK; `badOffset` then names the byte offset of the culprit.
std::optional<std::string> fromUtf8(std::string_view utf8, std::size_t* badOffset = nullptr);

std::string toUtf8(std::string_view gbkText);

}  // namespace gbk
