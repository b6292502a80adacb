// The clipboard: a copy holds the text as Unicode and as GBK bytes; a clipboard that
// another thread holds open is tried again for a while, and one held longer is
// reported busy and keeps what it held.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/win32/clipboard.h"
#include "platform/win32/handles.h"

namespace platform::win32::testing {
namespace {

// The clipboard's data in a format, as bytes; empty when it has none.
std::string clipboardBytes(UINT format) {
  if (!OpenClipboard(nullptr)) return "(not open)";
  std::string bytes;
  if (HANDLE data = GetClipboardData(format)) {
    const char* start = static_cast<const char*>(GlobalLock(data));
    if (start) bytes.assign(start, GlobalSize(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return bytes;
}

std::string upToNul(const std::string& bytes, std::size_t unit) {
  for (std::size_t at = 0; at + unit <= bytes.size(); at += unit) {
    if (bytes.compare(at, unit, std::string(unit, '\0')) == 0) return bytes.substr(0, at);
  }
  return bytes;
}

// Another program holding the clipboard open: a thread that opens it and closes it
// again after `holdMs`.
class ClipboardHolder {
 public:
  explicit ClipboardHolder(DWORD holdMs) : holdMs_(holdMs), opened_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_.reset(CreateThread(nullptr, 0, &ClipboardHolder::hold, this, 0, nullptr));
    WaitForSingleObject(opened_.get(), 5000);
  }
  ~ClipboardHolder() { WaitForSingleObject(thread_.get(), 10000); }

 private:
  static DWORD WINAPI hold(void* self) {
    auto* holder = static_cast<ClipboardHolder*>(self);
    bool open = OpenClipboard(nullptr);
    SetEvent(holder->opened_.get());
    Sleep(holder->holdMs_);
    if (open) CloseClipboard();
    return 0;
  }
  DWORD holdMs_;
  OwnedHandle opened_;
  OwnedHandle thread_;
};

const char kGbkText[] = "取菜单条目信息_\r\nMIIM_STRING";  // GBK: the sources compile to it
const wchar_t kUnicodeText[] = L"取菜单条目信息_\r\nMIIM_STRING";

TEST(ClipboardTest, HoldsTheTextAsUnicodeAndAsGbkBytes) {
  Win32Clipboard clipboard;
  ASSERT_EQ(clipboard.putText(kGbkText), ClipboardResult::copied);
  std::string unicode = upToNul(clipboardBytes(CF_UNICODETEXT), sizeof(wchar_t));
  EXPECT_EQ(unicode, std::string(reinterpret_cast<const char*>(kUnicodeText), sizeof kUnicodeText - sizeof(wchar_t)));
  EXPECT_EQ(upToNul(clipboardBytes(CF_TEXT), 1), kGbkText);
}

TEST(ClipboardTest, WaitsForAClipboardHeldAMomentAndReportsOneHeldLonger) {
  Win32Clipboard clipboard;
  ASSERT_EQ(clipboard.putText("before"), ClipboardResult::copied);
  {
    ClipboardHolder briefly(30);
    EXPECT_EQ(clipboard.putText(kGbkText), ClipboardResult::copied);
  }
  EXPECT_EQ(upToNul(clipboardBytes(CF_TEXT), 1), kGbkText);
  {
    ClipboardHolder longer(1000);
    EXPECT_EQ(clipboard.putText("after"), ClipboardResult::busy);
  }
  EXPECT_EQ(upToNul(clipboardBytes(CF_TEXT), 1), kGbkText);
}

// The clipboard's last owner, a window on a thread that then takes no message for a few
// seconds: taking the clipboard over tells the owner, which must not wait on it.
class DeafClipboardOwner {
 public:
  static constexpr DWORD kDeafMs = 4000;
  DeafClipboardOwner() : owned_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_.reset(CreateThread(nullptr, 0, &DeafClipboardOwner::own, this, 0, nullptr));
    WaitForSingleObject(owned_.get(), 5000);
  }
  ~DeafClipboardOwner() { WaitForSingleObject(thread_.get(), 10000); }

 private:
  static DWORD WINAPI own(void* self) {
    auto* owner = static_cast<DeafClipboardOwner*>(self);
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (OpenClipboard(window)) {
      EmptyClipboard();
      SetClipboardData(CF_UNICODETEXT, GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(wchar_t)));
      CloseClipboard();
    }
    SetEvent(owner->owned_.get());
    Sleep(kDeafMs);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    DestroyWindow(window);
    return 0;
  }
  OwnedHandle owned_;
  OwnedHandle thread_;
};

// Taking the clipboard from it would wait until it pumps again: the copy says the
// clipboard is busy instead, at once, and the owner keeps it.
TEST(ClipboardTest, AnOwnerThatDoesNotPumpMakesTheClipboardBusyAtOnce) {
  Win32Clipboard clipboard;
  DeafClipboardOwner deaf;
  const ULONGLONG began = GetTickCount64();
  EXPECT_EQ(clipboard.putText(kGbkText), ClipboardResult::busy);
  EXPECT_LT(GetTickCount64() - began, DeafClipboardOwner::kDeafMs / 4) << "ms spent copying";
  EXPECT_EQ(upToNul(clipboardBytes(CF_TEXT), 1), "");
}

}  // namespace
}  // namespace platform::win32::testing
