// Opening the program file named on the command line, on a worker thread: a large file is
// read, checked and made into the text that the window shows while the window goes on
// answering. When it is done the worker posts kProgramOpenedMessage to the window, whose
// handler takes the result.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "library/program_image.h"
#include "platform/win32/handles.h"

namespace stand_in_ide {

constexpr UINT kProgramOpenedMessage = WM_APP + 3;

class ProgramOpening {
 public:
  struct Result {
    library::ProgramImage program;  // a new program when the file could not be opened
    std::wstring source;            // the program as E source text, for the window
    std::wstring error;             // for the user; empty when the file was opened
  };

  ProgramOpening(HWND window, std::wstring path);
  // Returns once the worker has ended.
  ~ProgramOpening();
  ProgramOpening(const ProgramOpening&) = delete;
  ProgramOpening& operator=(const ProgramOpening&) = delete;

  // Once kProgramOpenedMessage has come: the worker is done with it.
  Result take() { return std::move(result); }

 private:
  static DWORD WINAPI work(void* self);
  void open();

  HWND window;
  std::wstring path;
  Result result;
  platform::win32::OwnedHandle worker;
};

// The program's E source text as the window shows it.
std::wstring sourceText(const library::ProgramImage& program);

}  // namespace stand_in_ide
