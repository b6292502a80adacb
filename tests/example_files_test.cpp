#include "examples/example_files.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/headless/headless_files.h"
#include "platform/headless/headless_ui.h"

namespace {

// "乗" in GBK: its trail byte is '\'.
const std::string kTrailBackslash = "\x81\x5C";

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

TEST(ExampleFileNames, WithoutTheIdeTheShellIsHandedOnlyAnExample) {
  platform::headless::HeadlessFiles disk;
  platform::headless::HeadlessShell shell;
  shell.programFolderPath = "C:\\E\\wizard";
  for (const char* typed : {"C:\\x.bat", "C:\\说明.exe", "C:\\x.e .bat", "C:\\x"}) examples::startIde(disk, shell, typed);
  examples::startIde(disk, shell, "C:\\X.E");
  using Run = std::pair<std::string, std::string>;
  EXPECT_EQ(shell.started, (std::vector<Run>{{"C:\\X.E", ""}}));
}

TEST(ExampleFileWrites, AreWholeOrLeaveNothing) {
  using examples::Replace;
  platform::headless::HeadlessFiles disk;
  disk.contents = {{"D:\\old.e", "old"}};
  EXPECT_TRUE(examples::writeWholeFile(disk, "D:\\new.e", "new", Replace::never));
  EXPECT_FALSE(examples::writeWholeFile(disk, "D:\\old.e", "new", Replace::never));
  EXPECT_EQ(disk.contents, (std::map<std::string, std::string, std::less<>>{{"D:\\new.e", "new"}, {"D:\\old.e", "old"}}));

  // A disk that fills up part-way: the file to replace keeps its bytes, no part is left.
  disk.room = 2;
  EXPECT_FALSE(examples::writeWholeFile(disk, "D:\\old.e", "longer", Replace::existingFile));
  EXPECT_EQ(disk.contents, (std::map<std::string, std::string, std::less<>>{{"D:\\new.e", "new"}, {"D:\\old.e", "old"}}));
  disk.room = 100;
  EXPECT_TRUE(examples::writeWholeFile(disk, "D:\\old.e", "longer", Replace::existingFile));
  EXPECT_EQ(disk.contents.at("D:\\old.e"), "longer");
  EXPECT_EQ(disk.contents.size(), 2u);

  disk.unwritableFolders.insert("E:\\");
  EXPECT_FALSE(examples::writeWholeFile(disk, "E:\\x.e", "x", Replace::never));
  EXPECT_FALSE(disk.exists("E:\\x.e"));
}

}  // namespace
