#include "examples/example_files.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/headless/headless_files.h"
#include "platform/headless/headless_ui.h"
#include "tests/path_printing.h"

namespace {

using platform::Path;
using Runs = std::vector<std::pair<Path, std::u16string>>;

// Folders named in scripts that GBK lacks. (Outside the assertions, whose texts are GBK.)
const Path kKorean = u"D:\\한국";
const Path kTestFolder = u"C:\\测试\\한국";
const Path kNorwegianExample = u"C:\\my examples\\ø.e";

TEST(ExampleFileNames, FolderGetsOneTrailingBackslash) {
  EXPECT_EQ(Path(u"D:\\").asFolder(), Path(u"D:\\"));
  EXPECT_EQ(Path(u"D:\\例程").asFolder(), Path(u"D:\\例程\\"));
  EXPECT_EQ(kKorean.asFolder(), kKorean + u"\\");
  EXPECT_EQ(Path().asFolder(), Path());  // the current folder: a name joined on is found there
}

TEST(ExampleFileNames, NumberedNamesNeverReplaceAFile) {
  platform::headless::HeadlessFiles disk;
  EXPECT_EQ(examples::freePath(disk, u"D:\\", "x.e"), Path(u"D:\\x.e"));
  disk.contents = {{u"D:\\x.e", ""}};
  EXPECT_EQ(examples::freePath(disk, u"D:\\", "x.e"), Path(u"D:\\x1.e"));
  disk.contents.emplace(u"D:\\x1.e", "");
  EXPECT_EQ(examples::freePath(disk, u"D:\\", "x.e"), Path(u"D:\\x2.e"));

  for (const char16_t* taken : {u"D:\\out\\demo", u"D:\\out\\a.ex.e", u"D:\\out\\B.E", u"D:\\out\\co.em"}) {
    disk.contents.emplace(taken, "");
  }
  EXPECT_EQ(examples::freePath(disk, u"D:\\out\\", "demo"), Path(u"D:\\out\\demo1.e"));
  EXPECT_EQ(examples::freePath(disk, u"D:\\out\\", "a.ex.e"), Path(u"D:\\out\\ax1.e"));
  EXPECT_EQ(examples::freePath(disk, u"D:\\out\\", "B.E"), Path(u"D:\\out\\B1.e"));
  // Numbering must not make a device of a name.
  EXPECT_EQ(examples::freePath(disk, u"D:\\out\\", "co.em"), Path(u"D:\\out\\_com1.e"));
  // The folder stays as the system spells it; the GBK name is converted.
  disk.contents.emplace(kKorean + u"\\窗口.e", "");
  EXPECT_EQ(examples::freePath(disk, kKorean.asFolder(), "窗口.e"), kKorean + u"\\窗口1.e");
}

TEST(ExampleFileNames, IdeIsInTheFolderAboveTheProgram) {
  EXPECT_EQ(examples::ideProgramPath(u"D:\\E\\wizard"), Path(u"D:\\E\\e.exe"));
  EXPECT_EQ(examples::ideProgramPath(u"D:\\wizardry\\E\\wizard"), Path(u"D:\\wizardry\\E\\e.exe"));
  EXPECT_EQ(examples::ideProgramPath(u"D:\\E\\Wizard\\"), Path(u"D:\\E\\e.exe"));
  EXPECT_EQ(examples::ideProgramPath(u"D:\\wizard"), Path(u"D:\\e.exe"));
  EXPECT_EQ(examples::ideProgramPath(u"\\\\server\\share\\wizard"), Path(u"\\\\server\\share\\e.exe"));
  EXPECT_EQ(examples::ideProgramPath(kTestFolder + u"\\wizard"), kTestFolder + u"\\e.exe");
  EXPECT_EQ(examples::ideProgramPath(u"wizard"), Path());
}

TEST(ExampleFileNames, IdeGetsThePathUnquotedOrTheShellOpensTheFile) {
  platform::headless::HeadlessFiles disk;
  platform::headless::HeadlessShell shell;
  shell.programFolderPath = kTestFolder + u"\\wizard";
  examples::startIde(disk, shell, u"C:\\my examples\\x.e");
  disk.contents.emplace(kTestFolder + u"\\e.exe", "");
  examples::startIde(disk, shell, kNorwegianExample);
  const Runs expected{{u"C:\\my examples\\x.e", u""}, {kTestFolder + u"\\e.exe", kNorwegianExample.units()}};
  EXPECT_EQ(shell.started, expected);
}

TEST(ExampleFileNames, WithoutTheIdeTheShellIsHandedOnlyAnExample) {
  platform::headless::HeadlessFiles disk;
  platform::headless::HeadlessShell shell;
  for (const char16_t* typed : {u"C:\\x.bat", u"C:\\说明.exe", u"C:\\x.e .bat", u"C:\\x"}) {
    examples::startIde(disk, shell, typed);
  }
  examples::startIde(disk, shell, u"C:\\X.E");
  EXPECT_EQ(shell.started, (Runs{{u"C:\\X.E", u""}}));
}

TEST(ExampleFileWrites, AreWholeOrLeaveNothing) {
  using examples::Replace;
  using Disk = std::map<Path, std::string>;
  platform::headless::HeadlessFiles disk;
  disk.contents = {{u"D:\\old.e", "old"}};
  EXPECT_TRUE(examples::writeWholeFile(disk, u"D:\\new.e", "new", Replace::never));
  EXPECT_FALSE(examples::writeWholeFile(disk, u"D:\\old.e", "new", Replace::never));
  EXPECT_EQ(disk.contents, (Disk{{u"D:\\new.e", "new"}, {u"D:\\old.e", "old"}}));

  // A disk that fills up part-way: the file to replace keeps its bytes, no part is left.
  disk.room = 2;
  EXPECT_FALSE(examples::writeWholeFile(disk, u"D:\\old.e", "longer", Replace::existingFile));
  EXPECT_EQ(disk.contents, (Disk{{u"D:\\new.e", "new"}, {u"D:\\old.e", "old"}}));
  disk.room = 100;
  EXPECT_TRUE(examples::writeWholeFile(disk, u"D:\\old.e", "longer", Replace::existingFile));
  EXPECT_EQ(disk.contents.at(u"D:\\old.e"), "longer");
  EXPECT_EQ(disk.contents.size(), 2u);

  disk.unwritableFolders.insert(u"E:\\");
  EXPECT_FALSE(examples::writeWholeFile(disk, u"E:\\x.e", "x", Replace::never));
  EXPECT_FALSE(disk.exists(u"E:\\x.e"));
}

}  // namespace
