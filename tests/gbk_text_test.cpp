#include "base/gbk_text.h"
#include "base/sort_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <vector>

namespace {

using gbk::Text;
using Pieces = std::vector<Text>;

// "表" is B1 ED and "\" is 5C: in "表\" the second byte of 表 is no backslash; in
// "瓢" (C6 B0) and "@" the trail byte 0x40 looks like "@"; "A" trail: 丄 = 81 41.
const Text kTrailIsAt = "\x81\x40";  // a character whose second byte is '@'
const Text kTrailIsA = "\x81\x41";   // second byte 'A'

TEST(GbkSplit, KeepsInnerEmptyPiecesAndDropsTheLastOne) {
  EXPECT_EQ(gbk::split("a,,b", ","), (Pieces{"a", "", "b"}));
  EXPECT_EQ(gbk::split("a,b,", ","), (Pieces{"a", "b"}));
  EXPECT_EQ(gbk::split(",a", ","), (Pieces{"", "a"}));
  EXPECT_EQ(gbk::split("", ","), Pieces{});
  EXPECT_EQ(gbk::split("line1\r\nline2\r\n", "\r\n"), (Pieces{"line1", "line2"}));
  EXPECT_EQ(gbk::split("中文,英文", ","), (Pieces{"中文", "英文"}));
}

TEST(GbkSplit, NeverSplitsInsideADoubleByteCharacter) {
  Text text = "x" + kTrailIsAt + "y";
  EXPECT_EQ(gbk::split(text, "@"), Pieces{text});
  EXPECT_EQ(gbk::split("a@b", "@"), (Pieces{"a", "b"}));
}

TEST(GbkTrim, RemovesHalfAndFullWidthSpacesOnly) {
  EXPECT_EQ(gbk::trim("  a b  "), "a b");
  EXPECT_EQ(gbk::trim("\xA1\xA1名\xA1\xA1 "), "名");
  EXPECT_EQ(gbk::trim("\tx\r"), "\tx\r");
  EXPECT_EQ(gbk::trim("   "), "");
  EXPECT_EQ(gbk::trim(""), "");
  // B0 A1 is one character ("啊") followed by A1: the last A1 and the next byte
  // must not be read as a full-width space.
  EXPECT_EQ(gbk::trim("\xB0\xA1\xA1\xA1"), "\xB0\xA1");
}

TEST(GbkFind, OneBasedAtCharacterBoundariesCaseSensitive) {
  EXPECT_EQ(gbk::find("abcabc", "c"), 3);
  EXPECT_EQ(gbk::find("abcabc", "c", 4), 6);
  EXPECT_EQ(gbk::find("abc", "C"), gbk::kNotFound);
  EXPECT_EQ(gbk::find("中文", "文"), 3);
  EXPECT_EQ(gbk::find(kTrailIsAt, "@"), gbk::kNotFound);
  EXPECT_EQ(gbk::find(kTrailIsA + "A", "A"), 3);
  EXPECT_EQ(gbk::find("abc", "a", 10), gbk::kNotFound);
  EXPECT_EQ(gbk::find("abc", "", 1), 1);
  EXPECT_TRUE(gbk::contains(".DLL命令 取消路径_, 整数型", ".DLL命令 取消路径_"));
  EXPECT_FALSE(gbk::contains("abc", "abcd"));
}

TEST(GbkFind, AStartInsideACharacterMovesToTheNextCharacter) {
  // Position 2 is the trail byte of 中; the search starts at 文.
  EXPECT_EQ(gbk::find("中中", "中", 2), 3);
}

TEST(GbkContainsIgnoringCase, FoldsAsciiLettersOnly) {
  EXPECT_TRUE(gbk::containsIgnoringAsciiCase("GetMenuItemInfoA,菜单函数", "getmenuiteminfoa"));
  EXPECT_TRUE(gbk::containsIgnoringAsciiCase("GetMenuItemInfoA,菜单函数", "a,菜单"));
  EXPECT_FALSE(gbk::containsIgnoringAsciiCase(kTrailIsA, "a"));  // the trail byte is no letter to match
  EXPECT_TRUE(gbk::containsIgnoringAsciiCase("x", ""));
  EXPECT_FALSE(gbk::containsIgnoringAsciiCase("", ""));
  // A double-byte character compares whole and exactly: its trail byte may look like a
  // letter (長 E9 4C and 閘 E9 6C), yet they are other characters.
  EXPECT_FALSE(gbk::containsIgnoringAsciiCase(kTrailIsA, "\x81\x61"));
  EXPECT_FALSE(gbk::containsIgnoringAsciiCase("\xE9\x6C\xE9\x54\xBF\xD8\xD6\xC6.e", "\xE9\x4C"));
  EXPECT_TRUE(gbk::containsIgnoringAsciiCase("\xE9\x6C\xE9\x54.E", "\xE9\x54.e"));
}

TEST(GbkStartsWithIgnoringCase, FoldsSingleByteLettersOnly) {
  EXPECT_TRUE(gbk::startsWithIgnoringAsciiCase("GetMenuItemInfoA", "getmenu"));
  EXPECT_FALSE(gbk::startsWithIgnoringAsciiCase("\xD5\x46\x8F\x88", "\xD5\x66"));  // 誇張 is no 說
  EXPECT_TRUE(
      gbk::startsWithIgnoringAsciiCase("\xD5\x66"
                                       "a",
                                       "\xD5\x66"
                                       "A"));
  // The sorted lists' order folds the same letters only: trail bytes compare as they are.
  EXPECT_TRUE(base::sortsBefore("\x81\x42", "\x81\x61"));
  EXPECT_TRUE(base::sortsBefore("a\x81\x61", "B"));
}

// A name's A and W forms follow it at once, in every sorted list.
TEST(SortOrder, PutsTheAnsiAndUnicodeFormsRightAfterTheirName) {
  std::vector<std::string_view> names = {"CreateFile2", "CreateFileW", "createfile", "CreateFileA", "CreateFile",
                                         "CreateFileMappingW", "CreateFileMapping", "SHOW", "SHO", "Draw3W",
                                         "Draw3", "DrawW"};
  std::ranges::sort(names, base::sortsBefore);
  EXPECT_EQ(names, (std::vector<std::string_view>{"CreateFile", "CreateFileA", "CreateFileW", "createfile",
                                                  "CreateFile2", "CreateFileMapping", "CreateFileMappingW", "DrawW",
                                                  "Draw3", "Draw3W", "SHO", "SHOW"}));
}

// The search's fast path against the rule stated plainly: at every character boundary,
// compare character by character, single-byte letters without case. Short random texts over bytes that stress the rule.
TEST(GbkContainsIgnoringCase, AgreesWithACharacterByCharacterComparison) {
  auto reference = [](std::string_view text, std::string_view what) {
    for (std::size_t pos = 0; pos < text.size() && text.size() - pos >= what.size();
         pos += gbk::charLength(text, pos)) {
      bool same = true;
      for (std::size_t i = 0; i < what.size() && same; i += gbk::charLength(text, pos + i)) {
        bool single = gbk::charLength(text, pos + i) == 1;
        auto fold = [single](char c) { return single ? std::tolower(static_cast<unsigned char>(c)) : c; };
        same = fold(text[pos + i]) == fold(what[i]) &&
               (single || i + 1 >= what.size() || text[pos + i + 1] == what[i + 1]);
      }
      if (same) return true;
    }
    return false;
  };
  const char alphabet[] = {'a', 'A', 'B', '/', '\x81', '\xFE', '\x80', '\xFF', '\x41'};
  std::mt19937 random(936);
  auto randomText = [&](std::size_t longest) {
    Text text(std::uniform_int_distribution<std::size_t>(0, longest)(random), ' ');
    for (char& c : text) c = alphabet[std::uniform_int_distribution<std::size_t>(0, std::size(alphabet) - 1)(random)];
    return text;
  };
  for (int round = 0; round < 20000; ++round) {
    Text text = randomText(12);
    Text what = randomText(4);
    ASSERT_EQ(gbk::containsIgnoringAsciiCase(text, what), reference(text, what)) << round;
  }
}

TEST(GbkLeftRightMiddle, CountBytesClipAndKeepCharactersWhole) {
  EXPECT_EQ(gbk::left(".参数 名, 整数型", 6), ".参数 ");
  EXPECT_EQ(gbk::left("abc", 10), "abc");
  EXPECT_EQ(gbk::left("abc", 0), "");
  EXPECT_EQ(gbk::left("中文", 3), "中");  // no half character
  EXPECT_EQ(gbk::right("abcdef", 2), "ef");
  EXPECT_EQ(gbk::right("中文", 3), "文");
  EXPECT_EQ(gbk::right("ab", -1), "");
  EXPECT_EQ(gbk::middle("\"32\"", 2, 2), "32");
  EXPECT_EQ(gbk::middle("abc", 4, 1), "");
  EXPECT_EQ(gbk::middle("abc", 0, 1), "");
  EXPECT_EQ(gbk::middle("中文字", 3, 2), "文");
  EXPECT_EQ(gbk::middle("abc", 2, 100), "bc");
}

TEST(GbkCharLength, ALeadByteAtTheEndStandsAlone) {
  EXPECT_EQ(gbk::charLength("\x81", 0), 1u);
  EXPECT_EQ(gbk::charLength("a\x81\x40", 1), 2u);
  EXPECT_EQ(gbk::charLength("\x80", 0), 1u);
  EXPECT_EQ(gbk::split("a,\x81", ","), (Pieces{"a", "\x81"}));
}

}  // namespace
