#include "platform/win32/files.h"

#include "platform/win32/native_control.h"  // windows.h first

#include "platform/win32/handles.h"
#include "platform/win32/system_paths.h"

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

// What the user is told turns on whether another program has the file open.
HoldFault faultOfOpen(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME: return HoldFault::missing;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return HoldFault::inUse;
    default: return HoldFault::unreadable;
  }
}

template <typename Bytes>
bool readWhole(HANDLE file, Bytes& content, LONGLONG largest = kLargestHeldFile) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 || size.QuadPart > largest) return false;
  try {
    content.resize(static_cast<std::size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return false;
  }
  std::size_t done = 0;
  while (done < content.size()) {
    DWORD read = 0;
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 24));
    if (!ReadFile(file, reinterpret_cast<unsigned char*>(content.data()) + done, chunk, &read, nullptr) || read == 0) return false;
    done += read;
  }
  return true;
}

}  // namespace

bool Win32Files::exists(const Path& path) { return GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

bool Win32Files::createNew(const Path& path, std::string_view bytes) {
  OwnedHandle file(
      CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
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

bool Win32Files::rename(const Path& from, const Path& to, bool replaceExisting) {
  // Within one folder, so within one volume: the name changes at once, never a copy.
  return MoveFileExW(wide(from).c_str(), wide(to).c_str(), replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0) != 0;
}

bool Win32Files::remove(const Path& path) { return DeleteFileW(wide(path).c_str()) != 0; }

Hold Win32Files::holdExclusive(const Path& path) {
  OwnedHandle file(
      CreateFileW(wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {nullptr, faultOfOpen(GetLastError())};
  std::vector<unsigned char> content;
  if (!readWhole(file.get(), content)) return {nullptr, HoldFault::unreadable};
  return {std::make_unique<Win32HeldFile>(std::move(file), std::move(content)), HoldFault::none};
}

Read Win32Files::readAtMost(const Path& path, std::size_t largest) {
  // Others may read the file meanwhile, but not write it.
  OwnedHandle file(CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {{}, faultOfOpen(GetLastError())};
  Read read;
  const auto limit = static_cast<LONGLONG>(std::min<std::size_t>(largest, kLargestHeldFile));
  if (!readWhole(file.get(), read.bytes, limit)) return {{}, HoldFault::unreadable};
  return read;
}

}  // namespace platform::win32
