// The files of the real platform, in a folder whose name GBK cannot hold: every call takes
// the path as the system spells it, and holding a file tells a missing one from one that
// another holder has open.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/win32/files.h"
#include "platform/win32/system_paths.h"

namespace platform::win32::testing {
namespace {

class FilesTest : public ::testing::Test {
 protected:
  FilesTest() {
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    // "한국 ø" and a character outside the Basic Multilingual Plane (U+20000).
    folder = pathOf(std::wstring(temporary) + L"wizard-files-\uD55C\uAD6D \u00F8\U00020000-" +
                    std::to_wstring(GetCurrentProcessId()));
    CreateDirectoryW(wide(folder).c_str(), nullptr);
  }
  ~FilesTest() override {
    for (const wchar_t* name : {L"\\a.e", L"\\b.e"}) DeleteFileW((wide(folder) + name).c_str());
    RemoveDirectoryW(wide(folder).c_str());
  }

  Path in(const char16_t* name) const { return folder + name; }

  Win32Files files;
  Path folder;
};

TEST_F(FilesTest, WritesRenamesAndRemovesUnderAPathOutsideGbk) {
  ASSERT_TRUE(files.createNew(in(u"\\a.e"), "bytes"));
  EXPECT_TRUE(files.exists(in(u"\\a.e")));
  EXPECT_FALSE(files.createNew(in(u"\\a.e"), "again"));
  ASSERT_TRUE(files.rename(in(u"\\a.e"), in(u"\\b.e"), false));
  EXPECT_FALSE(files.exists(in(u"\\a.e")));
  Hold held = files.holdExclusive(in(u"\\b.e"));
  ASSERT_EQ(held.fault, HoldFault::none);
  EXPECT_EQ(std::string(held.file->bytes().begin(), held.file->bytes().end()), "bytes");
  held = {};
  EXPECT_TRUE(files.remove(in(u"\\b.e")));
  EXPECT_FALSE(files.exists(in(u"\\b.e")));
}

TEST_F(FilesTest, HoldingTellsAMissingFileFromOneInUse) {
  EXPECT_EQ(files.holdExclusive(in(u"\\a.e")).fault, HoldFault::missing);
  EXPECT_EQ(files.holdExclusive(in(u"\\no such folder\\a.e")).fault, HoldFault::missing);
  ASSERT_TRUE(files.createNew(in(u"\\a.e"), "x"));
  Hold first = files.holdExclusive(in(u"\\a.e"));
  ASSERT_EQ(first.fault, HoldFault::none);
  Hold second = files.holdExclusive(in(u"\\a.e"));
  EXPECT_EQ(second.fault, HoldFault::inUse);
  EXPECT_EQ(second.file, nullptr);
  EXPECT_FALSE(files.remove(in(u"\\a.e")));
  first = {};
  EXPECT_EQ(files.holdExclusive(in(u"\\a.e")).fault, HoldFault::none);
}

}  // namespace
}  // namespace platform::win32::testing
