#include "stand_in_ide/win32/program_opening.h"

#include "platform/win32/native_control.h"  // windows.h first

#include <cstdint>

#include "library/program_source.h"

namespace stand_in_ide {
namespace {

// A program file larger than this is taken for something else.
constexpr std::uint64_t kLargestProgramFile = 256u << 20;

using platform::win32::OwnedHandle;

// The file's bytes, or an `error` for the user.
std::string readWholeFile(const std::wstring& path, std::wstring& error) {
  OwnedHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size)) {
    error = L"无法打开文件：" + path;
    return {};
  }
  if (static_cast<std::uint64_t>(size.QuadPart) > kLargestProgramFile) {
    error = L"文件太大，不是程序文件：" + path;
    return {};
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()) {
    error = L"无法读取文件：" + path;
    return {};
  }
  return bytes;
}

}  // namespace

std::wstring sourceText(const library::ProgramImage& program) {
  return platform::win32::wide(library::formatProgramSource(program));
}

ProgramOpening::ProgramOpening(HWND window, std::wstring path) : window(window), path(std::move(path)) {
  worker.reset(CreateThread(nullptr, 0, &ProgramOpening::work, this, 0, nullptr));
  if (!worker) open();  // no thread to spare: the window waits for it instead
}

ProgramOpening::~ProgramOpening() {
  if (worker) WaitForSingleObject(worker.get(), INFINITE);
}

DWORD WINAPI ProgramOpening::work(void* self) {
  static_cast<ProgramOpening*>(self)->open();
  return 0;
}

void ProgramOpening::open() {
  result.program = library::newProgram();
  std::string bytes = readWholeFile(path, result.error);
  if (result.error.empty()) {
    library::ImageReading reading = library::readProgramImage(bytes);
    if (reading.ok()) {
      result.program = std::move(reading.image);
    } else {
      std::string why = library::describe(reading.error);
      result.error = L"不是程序文件：" + path + L"\n(" + std::wstring(why.begin(), why.end()) + L")";
    }
  }
  result.source = sourceText(result.program);
  PostMessageW(window, kProgramOpenedMessage, 0, 0);
}

}  // namespace stand_in_ide
