// What a native list box shows, read back with its own messages (the texts as another
// program asks a virtual list for them).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/controls.h"

namespace platform::win32::testing {

std::vector<std::string> shownItems(HWND list);
std::vector<std::string> modelItems(const ListControl& list);
int shownSelection(HWND list);
// The selected item's text as shown; empty when none is selected.
std::string shownSelectedText(HWND list);
RECT itemRect(HWND list, int pos);

}  // namespace platform::win32::testing
