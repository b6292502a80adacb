#include "examples/example_files.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/headless/headless_files.h"
#include "platform/headless/headless_ui.h"

namespace {

// "乗" and "亅" in GBK: their trail bytes are '\' and '|'.
const std::string kTrailBackslash = "\x81\x5C";
const std::string kTrailBar = "\x81\x7C";

TEST(ExampleFileNames, UnsafeNamesStayInsideTheChosenFolder) {
  EXPECT_EQ(examples::safeFileName("窗口标题.e"), "窗口标题.e");
  EXPECT_EQ(examples::safeFileName("..\\..\\Windows\\evil.e"), ".._.._Windows_evil.e");
  EXPECT_EQ(examples::safeFileName("../up.e"), ".._up.e");
  EXPECT_EQ(examples::safeFileName("C:\\boot.e"), "C__boot.e");
  EXPECT_EQ(examples::safeFileName("x.e:stream"), "x.e_stream");
  EXPECT_EQ(examples::safeFileName("a*b?\"<>|.e"), "a_b_____.e");
  EXPECT_EQ(examples::safeFileName("tab\there\x7F.e"), "tab_here_.e");
  EXPECT_EQ(examples::safeFileName("x.e. . "), "x.e");
  EXPECT_EQ(examples::safeFileName(".."), "_");
  EXPECT_EQ(examples::safeFileName(""), "_");
}

TEST(ExampleFileNames, ReservedDeviceNamesGetAPrefix) {
  for (const char* device : {"CON", "con.e", "Prn.txt.e", "AUX", "nul .e", "COM1.e", "com0", "LPT9.e", "CONOUT$.e"}) {
    EXPECT_EQ(examples::safeFileName(device), std::string("_") + device) << device;
  }
  for (const char* harmless : {"COM10.e", "console.e", "LPT.e", "nully", "x.con"}) {
    EXPECT_EQ(examples::safeFileName(harmless), harmless) << harmless;
  }
}

TEST(ExampleFileNames, DoubleByteCharactersStayWhole) {
  EXPECT_EQ(examples::safeFileName(kTrailBackslash + kTrailBar + ".e"), kTrailBackslash + kTrailBar + ".e");
  // A separator right after a double-byte character is still one.
  EXPECT_EQ(examples::safeFileName(kTrailBackslash + "\\x.e"), kTrailBackslash + "_x.e");
}

TEST(ExampleFileNames, FolderGetsOneTrailingBackslash) {
  EXPECT_EQ(examples::withTrailingBackslash("D:\\"), "D:\\");
  EXPECT_EQ(examples::withTrailingBackslash("D:\\例程"), "D:\\例程\\");
  EXPECT_EQ(examples::withTrailingBackslash("D:\\" + kTrailBackslash), "D:\\" + kTrailBackslash + "\\");
}

TEST(ExampleFileNames, NumberedNamesNeverReplaceAFile) {
  platform::headless::HeadlessFiles disk;
  EXPECT_EQ(examples::freePath(disk, "D:\\", "x.e"), "D:\\x.e");
  disk.contents = {{"D:\\x.e", ""}};
  EXPECT_EQ(examples::freePath(disk, "D:\\", "x.e"), "D:\\x1.e");
  disk.contents.emplace("D:\\x1.e", "");
  EXPECT_EQ(examples::freePath(disk, "D:\\", "x.e"), "D:\\x2.e");

  for (const char* taken : {"D:\\out\\demo", "D:\\out\\a.ex.e", "D:\\out\\B.E", "D:\\out\\co.em"}) {
    disk.contents.emplace(taken, "");
  }
  EXPECT_EQ(examples::freePath(disk, "D:\\out\\", "demo"), "D:\\out\\demo1.e");
  EXPECT_EQ(examples::freePath(disk, "D:\\out\\", "a.ex.e"), "D:\\out\\ax1.e");
  EXPECT_EQ(examples::freePath(disk, "D:\\out\\", "B.E"), "D:\\out\\B1.e");
  // Numbering must not make a device of a name.
  EXPECT_EQ(examples::freePath(disk, "D:\\out\\", "co.em"), "D:\\out\\_com1.e");
}

TEST(ExampleFileNames, IdeIsInTheFolderAboveTheProgram) {
  EXPECT_EQ(examples::ideProgramPath("D:\\E\\wizard"), "D:\\E\\e.exe");
  EXPECT_EQ(examples::ideProgramPath("D:\\wizardry\\E\\wizard"), "D:\\wizardry\\E\\e.exe");
  EXPECT_EQ(examples::ideProgramPath("D:\\E\\Wizard\\"), "D:\\E\\e.exe");
  EXPECT_EQ(examples::ideProgramPath("D:\\wizard"), "D:\\e.exe");
  EXPECT_EQ(examples::ideProgramPath("\\\\server\\share\\wizard"), "\\\\server\\share\\e.exe");
  // The trail byte 0x5C of "乗" is no separator.
  EXPECT_EQ(examples::ideProgramPath("D:\\易" + kTrailBackslash), "D:\\e.exe");
  EXPECT_EQ(examples::ideProgramPath("wizard"), "");
}

TEST(ExampleFileNames, IdeGetsThePathUnquotedOrTheShellOpensTheFile) {
  platform::headless::HeadlessFiles disk;
  platform::headless::HeadlessShell shell;
  shell.programFolderPath = "C:\\Program Files\\E\\wizard";
  examples::startIde(disk, shell, "C:\\my examples\\x.e");
  disk.contents.emplace("C:\\Program Files\\E\\e.exe", "");
  examples::startIde(disk, shell, "C:\\my examples\\x.e");
  using Run = std::pair<std::string, std::string>;
  EXPECT_EQ(shell.started, (std::vector<Run>{{"C:\\my examples\\x.e", ""},
                                              {"C:\\Program Files\\E\\e.exe", "C:\\my examples\\x.e"}}));
}

}  // namespace
