#include "platform/win32/caught_exception.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace platform::win32 {
namespace {

// Our own messages are GBK like every narrow text of the wizard; the standard
// library's are ASCII, which GBK keeps as it is.
std::wstring fromGbk(const char* text) {
  int n = MultiByteToWideChar(936, 0, text, -1, nullptr, 0);
  if (n <= 0) return L"(message not readable)";
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(936, 0, text, -1, out.data(), n);
  out.resize(out.size() - 1);
  return out;
}

std::wstring caughtMessage() {
  try {
    throw;
  } catch (const std::exception& e) {
    return fromGbk(e.what());
  } catch (...) {
    return L"unknown exception";
  }
}

}  // namespace

void reportCaughtException() noexcept {
  std::wstring message;
  try {
    message = L"apiwizard: a handler failed: " + caughtMessage() + L"\n";
  } catch (...) {
    message.clear();  // out of memory: the short form below
  }
  const wchar_t* text = message.empty() ? L"apiwizard: a handler failed\n" : message.c_str();
  OutputDebugStringW(text);
#ifndef NDEBUG
  std::fputws(text, stderr);
  if (IsDebuggerPresent()) DebugBreak();
  std::abort();
#endif
}

}  // namespace platform::win32
