// The one order of every sorted list in the wizard, the same on every machine:
// texts compare byte by byte with single-byte ASCII letters folded to lower case (never
// the trail byte of a double-byte character), and texts that are equal so compare in
// plain byte order. GBK's byte order puts the common characters of GB2312 in pinyin
// order, as a Chinese system sorts them. A name's A and W forms (an upper-case A or W
// after a lower-case letter or a digit) sort as the name without that letter, right after
// it, the A form first: CreateFile, CreateFileA, CreateFileW, CreateFile2.
#pragma once

#include <string_view>

namespace base {

bool sortsBefore(std::string_view a, std::string_view b);

// Whether a name is an ANSI (…A) or Unicode (…W) form, in the order they sort.
enum class AnsiOrWide { neither, ansi, wide };
AnsiOrWide formOf(std::string_view name);

}  // namespace base
