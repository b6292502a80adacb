// `通用对话框1` as the common save-file dialog, and the shell's folder picker.
#include "platform/win32/native_control.h"  // windows.h first
#include "platform/win32/services.h"

#include <cderr.h>
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/win32/system_paths.h"

namespace platform::win32 {
namespace {

// Long enough for any path the dialog can return, and for a long offered name.
constexpr DWORD kPathBuffer = 32768;

// The filter as the dialog wants it: entries separated by NULs, ended by two. The
// separator is replaced after widening, since a GBK trail byte may be 0x7C ('|').
std::wstring filterForDialog(std::string_view filter) {
  std::wstring wideFilter = wide(filter);
  std::replace(wideFilter.begin(), wideFilter.end(), L'|', L'\0');
  wideFilter.append(2, L'\0');
  return wideFilter;
}

// The start-up window, so that the dialogs are modal to it: the active window, or when the
// program is not in front, the thread's visible top-level window.
HWND ownerWindow() {
  if (HWND active = GetActiveWindow()) return active;
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM result) {
        if (!IsWindowVisible(hwnd)) return TRUE;
        *reinterpret_cast<HWND*>(result) = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

bool runSaveDialog(const std::wstring& offeredName, const std::wstring& initialFolder, std::wstring& path) {
  static const std::wstring filter = filterForDialog(Dialogs::kSaveFilter);
  static const std::wstring title = wide(Dialogs::kSaveTitle);
  std::vector<wchar_t> file(kPathBuffer, L'\0');
  std::copy_n(offeredName.begin(), std::min<std::size_t>(offeredName.size(), kPathBuffer - 1), file.begin());
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = ownerWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kPathBuffer;
  dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
  dialog.lpstrTitle = title.c_str();
  // No OFN_NOCHANGEDIR: the examples database, found by its bare name, is long open.
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetSaveFileNameW(&dialog)) return false;
  path = file.data();
  return true;
}

// COM for the new-style folder picker, on this thread for as long as it is shown.
class ComApartment {
 public:
  ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

struct ItemIdListFree {
  void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};

}  // namespace

DialogAnswer Win32Dialogs::askSavePath(Path& chosen) {
  std::wstring path;
  std::wstring folder = wide(saveInitialFolder());
  if (!runSaveDialog(wide(saveFileName()), folder, path)) {
    // A name the dialog rejects (it has characters that no file name may hold) would
    // keep it from opening at all: offer no name instead.
    if (CommDlgExtendedError() != FNERR_INVALIDFILENAME || !runSaveDialog(L"", folder, path)) {
      return DialogAnswer::cancelled;
    }
  }
  chosen = pathOf(path);
  return DialogAnswer::chosen;
}

DialogAnswer Win32Dialogs::pickFolder(std::string_view title, Path& chosen) {
  ComApartment com;
  std::wstring wideTitle = wide(title);
  wchar_t displayName[MAX_PATH] = {};
  BROWSEINFOW browse{};
  browse.hwndOwner = ownerWindow();
  browse.pszDisplayName = displayName;
  browse.lpszTitle = wideTitle.c_str();
  browse.ulFlags = BIF_EDITBOX | BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  std::unique_ptr<ITEMIDLIST, ItemIdListFree> folder(SHBrowseForFolderW(&browse));
  if (!folder) return DialogAnswer::cancelled;
  std::vector<wchar_t> path(kPathBuffer, L'\0');
  // A folder outside the file system (a printer, the network) has no path to write into.
  if (!SHGetPathFromIDListEx(folder.get(), path.data(), kPathBuffer, GPFIDL_DEFAULT)) return DialogAnswer::cancelled;
  chosen = pathOf(path.data());
  return DialogAnswer::chosen;
}

}  // namespace platform::win32
