// The stand-in IDE's command line, as Windows hands it over whole (GetCommandLineW):
// the program's own name, then either nothing (a new, empty program), the switch
// "/wizard" (a new program, and the wizard started at once as 工具->执行易向导 does), or
// the path of a program file. The path is the whole rest of the line, unquoted, spaces
// and all, as the wizard passes it when it opens an example; quotes around all of it
// are taken off.
#pragma once

#include <string>
#include <string_view>

namespace stand_in_ide {

struct StartRequest {
  bool runWizard = false;
  std::wstring programPath;  // empty: a new program
};

StartRequest readCommandLine(std::wstring_view commandLine);

}  // namespace stand_in_ide
