#include "platform/win32/files.h"

#include "platform/win32/native_control.h"  // windows.h first

#include "platform/win32/handles.h"

#include <algorithm>
#include <new>
#include <vector>

namespace platform::win32 {
namespace {

// Larger files are refused rather than read into memory: the examples database is a few
// megabytes, and a stray huge file must not exhaust the program's memory.
constexpr LONGLONG kLargestHeldFile = LONGLONG{1} << 30;

// Share mode 0 keeps every other opener out, readers included, until the handle closes.
class Win32HeldFile : public HeldFile {
 public:
  Win32HeldFile(OwnedHandle file, std::vector<unsigned char> content)
      : handle(std::move(file)), copy(std::move(content)) {}
  std::span<const unsigned char> bytes() const override { return copy; }

 private:
  OwnedHandle handle;
  std::vector<unsigned char> copy;
};

bool readWhole(HANDLE file, std::vector<unsigned char>& content) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 || size.QuadPart > kLargestHeldFile) return false;
  try {
    content.resize(static_cast<std::size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return false;
  }
  std::size_t done = 0;
  while (done < content.size()) {
    DWORD read = 0;
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 24));
    if (!ReadFile(file, content.data() + done, chunk, &read, nullptr) || read == 0) return false;
    done += read;
  }
  return true;
}

}  // namespace

bool Win32Files::exists(std::string_view path) {
  return GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Files::createNew(std::string_view path, std::string_view bytes) {
  OwnedHandle file(CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                               nullptr));
  if (!file) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
    if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  // On the disk before it takes the name of a file it may replace.
  return FlushFileBuffers(file.get()) != 0;
}

bool Win32Files::rename(std::string_view from, std::string_view to, bool replaceExisting) {
  // Within one folder, so within one volume: the name changes at once, never a copy.
  return MoveFileExW(wide(from).c_str(), wide(to).c_str(), replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0) != 0;
}

bool Win32Files::remove(std::string_view path) { return DeleteFileW(wide(path).c_str()) != 0; }

std::unique_ptr<HeldFile> Win32Files::holdExclusive(std::string_view path) {
  OwnedHandle file(
      CreateFileW(wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::vector<unsigned char> content;
  if (!file || !readWhole(file.get(), content)) return nullptr;
  return std::make_unique<Win32HeldFile>(std::move(file), std::move(content));
}

}  // namespace platform::win32
