// Paths cross into the system and back unit for unit: both sides are UTF-16.
#pragma once

#include <string>
#include <string_view>

#include "platform/path.h"

namespace platform::win32 {

inline std::wstring wide(const Path& path) { return {path.units().begin(), path.units().end()}; }
inline Path pathOf(std::wstring_view system) { return Path(std::u16string(system.begin(), system.end())); }

}  // namespace platform::win32
