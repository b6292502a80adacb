#include "platform/win32/clipboard.h"

#include <cstring>
#include <string>

#include "platform/win32/native_control.h"

namespace platform::win32 {
namespace {

// Another program may hold the clipboard open for a moment (a clipboard viewer reading
// it, a remote desktop syncing it): we try again a few times before giving up.
constexpr int kOpenAttempts = 5;
constexpr DWORD kRetryPauseMs = 20;

// Taking the clipboard over tells its owner (WM_DESTROYCLIPBOARD), and the system may wait
// until the owner's thread takes that message: an owner that does not pump would hold up
// the copy, and every click with it. One that does not answer within this is treated as
// holding the clipboard.
constexpr UINT kOwnerAnswerMs = 200;

// The CF_TEXT bytes are code page 936; CF_LOCALE says so to readers that convert them
// (Simplified Chinese, PRC).
constexpr LCID kGbkLocale = MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT);

using OwnedGlobal = Owned<HGLOBAL, GlobalFree>;

// Movable global memory holding a copy of the bytes, as SetClipboardData takes it.
OwnedGlobal globalCopy(const void* bytes, std::size_t size) {
  OwnedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, size));
  if (!memory) return memory;
  void* target = GlobalLock(memory.get());
  if (!target) return OwnedGlobal();
  std::memcpy(target, bytes, size);
  GlobalUnlock(memory.get());
  return memory;
}

// The clipboard, open until this goes.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) {
    for (int attempt = 1; !(open_ = OpenClipboard(owner)) && attempt < kOpenAttempts; ++attempt) Sleep(kRetryPauseMs);
  }
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool open() const { return open_; }

 private:
  bool open_ = false;
};

bool ownerAnswers(HWND us) {
  HWND owner = GetClipboardOwner();
  if (!owner || owner == us) return true;
  return SendMessageTimeoutW(owner, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kOwnerAnswerMs, nullptr) != 0;
}

// The clipboard owns the memory once SetClipboardData succeeds; until then we do.
bool handOver(UINT format, OwnedGlobal& memory) {
  if (!SetClipboardData(format, memory.get())) return false;
  memory.release();
  return true;
}

}  // namespace

ClipboardResult Win32Clipboard::putText(std::string_view gbkText) {
  std::wstring unicode = wide(gbkText);
  std::string bytes(gbkText);
  OwnedGlobal unicodeMemory = globalCopy(unicode.c_str(), (unicode.size() + 1) * sizeof(wchar_t));
  OwnedGlobal gbkMemory = globalCopy(bytes.c_str(), bytes.size() + 1);
  OwnedGlobal localeMemory = globalCopy(&kGbkLocale, sizeof kGbkLocale);
  if (!unicodeMemory || !gbkMemory || !localeMemory) return ClipboardResult::failed;

  if (!owner_) owner_.reset(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
  if (!ownerAnswers(owner_.get())) return ClipboardResult::busy;
  OpenClipboardScope clipboard(owner_.get());
  if (!clipboard.open()) return ClipboardResult::busy;
  if (!EmptyClipboard()) return ClipboardResult::failed;
  bool written =
      handOver(CF_UNICODETEXT, unicodeMemory) && handOver(CF_TEXT, gbkMemory) && handOver(CF_LOCALE, localeMemory);
  return written ? ClipboardResult::copied : ClipboardResult::failed;
}

}  // namespace platform::win32
