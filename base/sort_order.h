// The one order of every sorted list in the wizard, the same on every machine:
// texts compare byte by byte with single-byte ASCII letters folded to lower case (never
// the trail byte of a double-byte character), and texts that are equal so compare in
// plain byte order. GBK's byte order puts the common characters of GB2312 in pinyin
// order, as a Chinese system sorts them.
#pragma once

#include <string_view>

namespace base {

bool sortsBefore(std::string_view a, std::string_view b);

}  // namespace base
