// Test helper: the Windows clipboard's text to and from a file, for the end-to-end tests
// of copying and pasting E text.
//
//   clipboard set FILE    empties the clipboard and puts the file's text on it (CF_UNICODETEXT)
//   clipboard set-gbk FILE
//                         empties the clipboard and puts the file's bytes and a NUL alone on
//                         it as CF_TEXT, as a Chinese program puts GBK text
//   clipboard get FILE    writes the clipboard's CF_UNICODETEXT to the file; exit code 1
//                         when the clipboard holds no Unicode text
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

std::string readFile(const wchar_t* path) {
  std::string bytes;
  if (FILE* file = _wfopen(path, L"rb")) {
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
    std::fclose(file);
  }
  return bytes;
}

bool writeFile(const wchar_t* path, std::string_view bytes) {
  FILE* file = _wfopen(path, L"wb");
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

// Another program (the wizard, Wine's own clipboard sync) may hold the clipboard for a
// moment: a few tries, as programs that copy make.
bool openClipboard() {
  for (int attempt = 0; attempt < 40; ++attempt) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(50);
  }
  return false;
}

int set(const wchar_t* path) {
  std::string utf8 = readFile(path);
  int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (static_cast<SIZE_T>(length) + 1) * sizeof(wchar_t));
  if (!memory) return 2;
  auto* text = static_cast<wchar_t*>(GlobalLock(memory));
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text, length);
  text[length] = 0;
  GlobalUnlock(memory);
  if (!openClipboard()) return 2;
  EmptyClipboard();
  bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  return placed ? 0 : 2;
}

int setGbk(const wchar_t* path) {
  std::string bytes = readFile(path);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
  if (!memory) return 2;
  std::memcpy(GlobalLock(memory), bytes.c_str(), bytes.size() + 1);
  GlobalUnlock(memory);
  if (!openClipboard()) return 2;
  EmptyClipboard();
  bool placed = SetClipboardData(CF_TEXT, memory) != nullptr;
  CloseClipboard();
  return placed ? 0 : 2;
}

int get(const wchar_t* path) {
  if (!openClipboard()) return 2;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
  if (!text) {
    CloseClipboard();
    return 1;
  }
  std::wstring_view wide(text, wcsnlen(text, GlobalSize(data) / sizeof(wchar_t)));
  int length = static_cast<int>(wide.size());
  std::string utf8(WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
  GlobalUnlock(data);
  CloseClipboard();
  return writeFile(path, utf8) ? 0 : 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wcscmp(argv[1], L"set") == 0) return set(argv[2]);
  if (argc == 3 && std::wcscmp(argv[1], L"set-gbk") == 0) return setGbk(argv[2]);
  if (argc == 3 && std::wcscmp(argv[1], L"get") == 0) return get(argv[2]);
  return 3;
}
