// What a window procedure, a subclass procedure or the message loop does with an
// exception that reached it: no exception crosses into the system's code, yet none
// goes by unseen.
#pragma once

namespace platform::win32 {

// Call only inside a catch block. A debug build stops at once with the message; a
// release build writes it to the debugger's output and the program goes on.
void reportCaughtException() noexcept;

}  // namespace platform::win32
