// Where examples are written and how the IDE is handed one: numbered names that never
// replace a file, writes that never leave a partial file, and the IDE's program path.
// Folders and paths come from the system and stay as it spells them; only an example's
// name, which the database holds in GBK, is converted as it joins a folder.
#pragma once

#include <string_view>

#include "platform/files.h"
#include "platform/shell.h"

namespace examples {

// The path in `folder` (ending in "\") at which `name` is written without replacing
// anything: folder + name when no file has that name; otherwise `name` without every
// ".e" (either case) followed by k and ".e", for the first k = 1, 2, 3 … that is free.
// Empty when no free name is found.
platform::Path freePath(platform::Files& files, const platform::Path& folder, std::string_view name);

enum class Replace { never, existingFile };

// Writes `bytes` as the file `path` whole or not at all: into a new temporary file in the
// same folder, which then takes the name `path` (replacing a file of that name only when
// asked). A write that fails part-way, as on a full disk, leaves neither a partial file
// nor a changed one. True when `path` holds the bytes.
bool writeWholeFile(platform::Files& files, const platform::Path& path, std::string_view bytes, Replace replace);

// The IDE, "e.exe" in the folder above the program's own folder (which is the IDE's
// "wizard" folder); empty when no folder lies above it.
platform::Path ideProgramPath(const platform::Path& programFolder);

// Hands a written file to the IDE: the IDE with the path as its command line, unquoted
// since the IDE takes its command line whole. Without an IDE there, the file itself goes
// to the shell, so that the program the system associates with ".e" opens it; but only a
// file ending in ".e", for the shell runs a ".bat" or ".exe" it is given. Nothing is reported.
void startIde(platform::Files& files, platform::Shell& shell, const platform::Path& path);

}  // namespace examples
