// The one order of every sorted list in the wizard, the same on every machine:
// texts compare byte by byte with ASCII letters folded to lower case, and texts that
// are equal so compare in plain byte order. GBK's byte order puts the common
// characters of GB2312 in pinyin order, as a Chinese system sorts them.
#pragma once

#include <string_view>

namespace library {

bool sortsBefore(std::string_view a, std::string_view b);

}  // namespace library
