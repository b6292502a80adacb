#include "library/example_file_name.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "乗" and "亅" in GBK: their trail bytes are '\' and '|'.
const std::string kTrailBackslash = "\x81\x5C";
const std::string kTrailBar = "\x81\x7C";

TEST(ExampleFileNames, UnsafeNamesStayInsideTheChosenFolder) {
  EXPECT_EQ(library::safeFileName("窗口标题.e"), "窗口标题.e");
  EXPECT_EQ(library::safeFileName("..\\..\\Windows\\evil.e"), ".._.._Windows_evil.e");
  EXPECT_EQ(library::safeFileName("../up.e"), ".._up.e");
  EXPECT_EQ(library::safeFileName("C:\\boot.e"), "C__boot.e");
  EXPECT_EQ(library::safeFileName("x.e:stream"), "x.e_stream");
  EXPECT_EQ(library::safeFileName("a*b?\"<>|.e"), "a_b_____.e");
  EXPECT_EQ(library::safeFileName("tab\there\x7F.e"), "tab_here_.e");
  EXPECT_EQ(library::safeFileName("x.e. . "), "x.e");
  EXPECT_EQ(library::safeFileName(".."), "_");
  EXPECT_EQ(library::safeFileName(""), "_");
}

TEST(ExampleFileNames, ReservedDeviceNamesGetAPrefix) {
  for (const char* device : {"CON", "con.e", "Prn.txt.e", "AUX", "nul .e", "COM1.e", "com0", "LPT9.e", "CONOUT$.e"}) {
    EXPECT_EQ(library::safeFileName(device), std::string("_") + device) << device;
  }
  for (const char* harmless : {"COM10.e", "console.e", "LPT.e", "nully", "x.con"}) {
    EXPECT_EQ(library::safeFileName(harmless), harmless) << harmless;
  }
}

TEST(ExampleFileNames, DoubleByteCharactersStayWhole) {
  EXPECT_EQ(library::safeFileName(kTrailBackslash + kTrailBar + ".e"), kTrailBackslash + kTrailBar + ".e");
  // A separator right after a double-byte character is still one.
  EXPECT_EQ(library::safeFileName(kTrailBackslash + "\\x.e"), kTrailBackslash + "_x.e");
  // A lead byte before a byte that ends no character stands alone, as the path has it.
  EXPECT_EQ(library::safeFileName("x\xFE.e"), "x_.e");
  EXPECT_EQ(library::safeFileName("x\xFE/.e"), "x__.e");
  EXPECT_EQ(library::safeFileName("x\xA1\x7F.e"), "x__.e");
}

TEST(ExampleFileNames, TheDatabaseNeverChoosesTheKindOfFileNorHidesPartOfAName) {
  using library::exampleFileName;
  EXPECT_EQ(exampleFileName("取窗口标题.e"), "取窗口标题.e");
  EXPECT_EQ(exampleFileName("Demo.E"), "Demo.E");
  EXPECT_EQ(exampleFileName("说明.exe"), "说明.exe.e");
  EXPECT_EQ(exampleFileName("菜单信息"), "菜单信息.e");
  // Padding shows as one space, so ".bat" stays in sight; then ".e" follows it.
  EXPECT_EQ(exampleFileName("取窗口标题.e" + std::string(60, ' ') + ".bat"), "取窗口标题.e .bat.e");
  EXPECT_EQ(exampleFileName("a\xA1\xA1 \xA1\xA1"
                            "b.e"),
            "a b.e");
  EXPECT_EQ(exampleFileName("a\xA1\xA1"
                            "b c.e"),
            "a\xA1\xA1"
            "b c.e");
  EXPECT_EQ(exampleFileName("CON"), "_CON.e");
  EXPECT_EQ(exampleFileName("x.e. . "), "x.e");
}

TEST(ExampleFileNames, ANameLongerThanAFileNameCanBeIsNotListed) {
  // 255 characters is the most; a double-byte character counts once.
  EXPECT_TRUE(library::exampleFileName(std::string(253, 'x') + ".e"));
  EXPECT_FALSE(library::exampleFileName(std::string(254, 'x') + ".e"));
  std::string wide;
  for (int i = 0; i < 253; ++i) wide += "例";
  EXPECT_EQ(library::exampleFileName(wide)->size(), 253u * 2 + 2);
  EXPECT_FALSE(library::exampleFileName(wide + "例"));
}

}  // namespace
