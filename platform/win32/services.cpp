#include "platform/win32/services.h"

#include "platform/win32/native_control.h"  // windows.h first

#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "platform/win32/system_paths.h"

namespace platform::win32 {

Path Win32Shell::documentsFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return pathOf(path);
}

Path Win32Shell::programFolder() {
  // A path may be longer than MAX_PATH: the buffer grows until the whole path fits
  // (GetModuleFileNameW fills it to the end and truncates otherwise).
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) >= path.size() &&
         path.size() < 32768) {
    path.resize(path.size() * 2);
  }
  path.resize(length);
  std::size_t separator = path.find_last_of(L'\\');
  path.resize(separator == std::wstring::npos ? 0 : separator);
  return pathOf(path);
}

Path Win32Shell::keptStateFolder() {
  // The roaming part of the profile: what the user chose follows them to another machine.
  wchar_t appData[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, appData))) {
    return {};
  }
  std::wstring folder = appData;
  for (const wchar_t* below : {L"\\Kelvane", L"\\API\u5411\u5BFC"}) {
    folder += below;
    // A folder that is there already is what is wanted.
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
  return pathOf(folder);
}

void Win32Shell::run(const Path& file, std::u16string_view commandLine) {
  std::wstring parameters(commandLine.begin(), commandLine.end());
  ShellExecuteW(nullptr, nullptr, wide(file).c_str(), parameters.empty() ? nullptr : parameters.c_str(), L"",
                SW_SHOWNORMAL);
}

MessageAnswer Win32MessageBoxes::show(std::string_view text, std::string_view caption, MessageIcon icon,
                                      MessageButtons buttons) {
  UINT type = MB_TASKMODAL | (buttons == MessageButtons::yesNo ? MB_YESNO : MB_OK);
  if (icon == MessageIcon::warning) type |= MB_ICONWARNING;
  if (icon == MessageIcon::question) type |= MB_ICONQUESTION;
  int answer = MessageBoxW(nullptr, wide(text).c_str(), wide(caption).c_str(), type);
  return answer == IDYES ? MessageAnswer::yes : answer == IDNO ? MessageAnswer::no : MessageAnswer::ok;
}

}  // namespace platform::win32
