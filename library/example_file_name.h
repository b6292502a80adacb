// The name under which an example is listed and written. It comes from the examples
// database, a file that users copy, share and replace, so it may not choose a folder, a
// device or the kind of file written, nor hide part of itself in a list.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "base/gbk_text.h"

namespace library {

// The longest file name Windows takes: 255 UTF-16 units, and every GBK character is one.
inline constexpr std::size_t kLongestFileName = 255;

// A name made safe to write inside a chosen folder: each single-byte path separator,
// colon, wildcard, quote, angle bracket, bar or control character becomes "_"; trailing
// dots and spaces go (Windows would drop them and so name another file); a reserved
// device name (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM0-9, LPT0-9, with any extension)
// gets a "_" in front; nothing left gives "_". A double-byte character stays whole: its
// trail byte may be 0x5C or 0x7C without being a separator or a bar. A lead byte that makes
// no character with the next byte becomes "_", so that the name converts to the same
// characters in a path.
gbk::Text safeFileName(std::string_view name);

// The example's file name as every list shows it and as it is written: safe as above,
// each run of half- and full-width spaces shown as one space, and ".e" added unless it
// ends in ".e" (either case), so that the database never chooses what the shell opens.
// nullopt when the name is longer than a file name can be: that record is not listed.
std::optional<gbk::Text> exampleFileName(std::string_view stored);

// Whether `name` ends in ".e", either case: a file the IDE, or what the system associates
// with E programs, opens.
bool hasExampleExtension(std::string_view name);

}  // namespace library
