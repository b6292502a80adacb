#include "platform/win32/services.h"

#include "platform/win32/native_control.h"  // windows.h first

#include <shellapi.h>
#include <shlobj.h>

namespace platform::win32 {

std::string Win32Shell::documentsFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return narrow(path);
}

std::string Win32Shell::programFolder() {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  folder.resize(folder.find_last_of(L'\\') == std::wstring::npos ? 0 : folder.find_last_of(L'\\'));
  return narrow(folder);
}

void Win32Shell::run(std::string_view file, std::string_view commandLine) {
  std::wstring parameters = wide(commandLine);
  ShellExecuteW(nullptr, nullptr, wide(file).c_str(), parameters.empty() ? nullptr : parameters.c_str(), L"",
                SW_SHOWNORMAL);
}

MessageAnswer Win32MessageBoxes::show(std::string_view text, std::string_view caption, MessageIcon icon,
                                      MessageButtons buttons) {
  UINT type = MB_TASKMODAL | (buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK);
  if (icon == MessageIcon::Warning) type |= MB_ICONWARNING;
  if (icon == MessageIcon::Question) type |= MB_ICONQUESTION;
  int answer = MessageBoxW(nullptr, wide(text).c_str(), wide(caption).c_str(), type);
  return answer == IDYES ? MessageAnswer::Yes : answer == IDNO ? MessageAnswer::No : MessageAnswer::Ok;
}

}  // namespace platform::win32
