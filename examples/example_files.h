// Where examples are written and how the IDE is handed one: names from the database made
// safe, numbered names that never replace a file, and the IDE's program path.
#pragma once

#include <string_view>

#include "library/gbk_text.h"
#include "platform/files.h"
#include "platform/shell.h"

namespace examples {

// An example file name from the database made safe to write inside the chosen folder.
// The database comes from outside, so a name must not reach another folder, a drive, a
// stream or a device: each single-byte path separator, colon, wildcard, quote, angle
// bracket, bar or control character becomes "_"; trailing dots and spaces go (Windows
// would drop them and so name another file); a reserved device name (CON, PRN, AUX, NUL,
// CONIN$, CONOUT$, COM0-9, LPT0-9, with any extension) gets a "_" in front; nothing left
// gives "_". A double-byte character stays whole: its trail byte may be 0x5C or 0x7C
// without being a separator or a bar.
gbk::Text safeFileName(std::string_view name);

// `folder` ending in one "\": appended unless its last character is one (a drive root).
gbk::Text withTrailingBackslash(std::string_view folder);

// The path in `folder` (ending in "\") at which `name` is written without replacing
// anything: folder + name when no file has that name; otherwise `name` without every
// ".e" (either case) followed by k and ".e", for the first k = 1, 2, 3 … that is free.
// Empty when no free name is found.
gbk::Text freePath(platform::Files& files, std::string_view folder, std::string_view name);

// The IDE, "e.exe" in the folder above the program's own folder (which is the IDE's
// "wizard" folder); empty when no folder lies above it.
gbk::Text ideProgramPath(std::string_view programFolder);

// Hands a written file to the IDE: the IDE with the path as its command line, unquoted
// since the IDE takes its command line whole; without an IDE there, the file itself, so
// the program that the system associates with ".e" opens it. Nothing is reported.
void startIde(platform::Files& files, platform::Shell& shell, std::string_view path);

}  // namespace examples
