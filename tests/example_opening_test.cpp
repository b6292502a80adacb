#include <gtest/gtest.h>

#include "examples/example_opening.h"
#include "examples_wizard.h"

namespace {

using platform::Path;
using Runs = std::vector<std::pair<Path, std::u16string>>;

const Path kIde = u"C:\\E\\e.exe";
const std::string kFirstSource = std::string("源程序\0一\r\n", 12);

struct OpeningExamples : ::testing::Test {
  ExamplesWizard h;
  void SetUp() override { h.files.contents.emplace(kIde, ""); }
  std::size_t filesOnDisk() const { return h.files.contents.size(); }
};

TEST_F(OpeningExamples, DoubleClickWritesTheSourceWhereTheUserSaysAndStartsTheIdeOnIt) {
  h.dialogs.saveAnswer = u"C:\\Users\\user\\Documents\\标题.e";
  h.w.列表框_例程列表.userDoubleClicked(0);
  EXPECT_EQ(h.dialogs.saveNamesOffered, std::vector<Path>{u"取窗口标题.e"});
  EXPECT_EQ(h.dialogs.saveInitialFolder(), Path(u"C:\\Users\\user\\Documents\\"));
  EXPECT_EQ(h.files.contents.at(u"C:\\Users\\user\\Documents\\标题.e"), kFirstSource);
  EXPECT_EQ(h.shell.started, (Runs{{kIde, u"C:\\Users\\user\\Documents\\标题.e"}}));
  EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(OpeningExamples, CancellingTheDialogShowsNothingAndStartsNothing) {
  std::size_t before = filesOnDisk();
  h.w.列表框_例程列表.userDoubleClicked(1);
  EXPECT_EQ(h.dialogs.saveNamesOffered.size(), 1u);
  EXPECT_TRUE(h.messages.shown.empty());
  EXPECT_TRUE(h.shell.started.empty());
  EXPECT_EQ(filesOnDisk(), before);
}

TEST_F(OpeningExamples, AFailedWriteSaysSoAndStartsNothing) {
  h.files.contents.emplace(u"C:\\busy.e", "kept");
  auto busy = h.files.holdExclusive(u"C:\\busy.e");
  h.dialogs.saveAnswer = u"C:\\busy.e";
  h.w.列表框_例程列表.userDoubleClicked(0);
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text, "文件无法写出！");
  EXPECT_EQ(h.messages.shown[0].caption, "信息：");
  EXPECT_EQ(h.messages.shown[0].icon, platform::MessageIcon::warning);
  EXPECT_EQ(h.files.contents.at(u"C:\\busy.e"), "kept");
  EXPECT_TRUE(h.shell.started.empty());
}

TEST_F(OpeningExamples, ChosenExampleAsksFirstAndOpensOnlyOnYes) {
  h.choose("GetWindowTextA");
  h.showChosenExamplesPage();
  h.w.选择列表框_选用例程.setCurrentSelection(1);
  h.messages.answer = platform::MessageAnswer::no;
  h.w.选择列表框_选用例程.userDoubleClicked(1);
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text, "是否要打开例程“小写名称.e”？");
  EXPECT_EQ(h.messages.shown[0].caption, "是否要打开例程");
  EXPECT_EQ(h.messages.shown[0].icon, platform::MessageIcon::question);
  EXPECT_EQ(h.messages.shown[0].buttons, platform::MessageButtons::yesNo);
  EXPECT_TRUE(h.dialogs.saveNamesOffered.empty());
  h.messages.answer = platform::MessageAnswer::yes;
  h.dialogs.saveAnswer = u"D:\\lower.e";
  h.w.选择列表框_选用例程.userDoubleClicked(1);
  EXPECT_EQ(h.files.contents.at(u"D:\\lower.e"), "lower");
  EXPECT_FALSE(h.w.选择列表框_选用例程.checked(1));
}

TEST_F(OpeningExamples, SearchHitOpensThroughTheDialogWithTheSafeName) {
  ExamplesWizard unsafe(std::vector<examples::ExampleRecord>{{"..\\..\\boot.ini", "", "x"}});
  unsafe.w.组合框_搜索类型.userChose(1);
  unsafe.w.按钮_搜索.userClicked();
  unsafe.dialogs.saveAnswer = u"D:\\boot.e";
  unsafe.w.列表框_搜索结果.userDoubleClicked(0);
  EXPECT_EQ(unsafe.dialogs.saveNamesOffered, std::vector<Path>{u".._.._boot.ini.e"});
  EXPECT_EQ(unsafe.files.contents.at(u"D:\\boot.e"), "x");
  // No IDE above C:\E\wizard here: the shell opens the file.
  EXPECT_EQ(unsafe.shell.started, (Runs{{u"D:\\boot.e", u""}}));
}

// The first example's source (block 1) with a byte count over 500: its chain is broken.
examples::WrittenDatabase withFirstSourceDamaged() {
  examples::WrittenDatabase written = examples::writeExampleDatabase(ExamplesWizard::fiveExamples());
  written.auxiliary[512 + 8] = '\xF5';
  written.auxiliary[512 + 9] = '\x01';
  return written;
}

TEST(OpeningADamagedExample, NamesItBeforeTheDialogAndTouchesNoFile) {
  ExamplesWizard h(withFirstSourceDamaged());
  h.files.contents.emplace(u"C:\\x.e", "kept");
  h.dialogs.saveAnswer = u"C:\\x.e";
  h.w.列表框_例程列表.userDoubleClicked(0);
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text, "例程“取窗口标题.e”已损坏，读不出来，没有写出文件。");
  EXPECT_EQ(h.messages.shown[0].icon, platform::MessageIcon::warning);
  EXPECT_TRUE(h.dialogs.saveNamesOffered.empty());
  EXPECT_EQ(h.files.contents.at(u"C:\\x.e"), "kept");
  EXPECT_TRUE(h.shell.started.empty());
}

// Folders named in scripts that GBK lacks are written into as the system names them.
TEST_F(OpeningExamples, PathsOutsideGbkAreWrittenAndHandedToTheIde) {
  const Path opened = u"C:\\한국\\ø.e";
  const Path folder = u"D:\\한국";
  h.dialogs.saveAnswer = opened;
  h.w.列表框_例程列表.userDoubleClicked(1);
  h.choose("GetWindowTextA");
  h.showChosenExamplesPage();
  h.w.按钮_全部选择.userClicked();
  h.dialogs.folderAnswer = folder;
  examples::saveChosenExamples(h.wizard.services, h.app.examples.get(), h.w.选择列表框_选用例程);
  const Path saved = folder + u"\\取窗口标题.e";
  EXPECT_EQ(h.files.contents.at(opened), "ext");
  EXPECT_EQ(h.files.contents.at(saved), kFirstSource);
  EXPECT_EQ(h.shell.started, (Runs{{kIde, opened.units()}, {kIde, saved.units()}}));
  EXPECT_TRUE(h.messages.shown.empty());
}

struct SavingExamples : OpeningExamples {
  void SetUp() override {
    OpeningExamples::SetUp();
    h.choose("GetWindowTextA");
    h.choose("ExtTextOutA");
    h.showChosenExamplesPage();  // ExtTextOutA sorts first: 绘制文本.e, then 取窗口标题.e, 小写名称.e
  }
};

TEST_F(SavingExamples, NothingTickedOrFolderCancelledDoesNothing) {
  std::size_t before = filesOnDisk();
  examples::saveChosenExamples(h.wizard.services, h.app.examples.get(), h.w.选择列表框_选用例程);
  EXPECT_TRUE(h.dialogs.foldersAsked.empty());
  h.w.选择列表框_选用例程.userToggled(0);
  examples::saveChosenExamples(h.wizard.services, h.app.examples.get(), h.w.选择列表框_选用例程);
  EXPECT_EQ(h.dialogs.foldersAsked, std::vector<std::string>{"请指定一个例程保存路径："});
  EXPECT_EQ(filesOnDisk(), before);
  EXPECT_TRUE(h.shell.started.empty());
  EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(SavingExamples, TickedExamplesGoIntoTheFolderUnderNamesThatReplaceNothing) {
  h.files.contents.emplace(u"D:\\out\\绘制文本.e", "theirs");
  h.files.contents.emplace(u"D:\\out\\绘制文本1.e", "theirs too");
  h.w.选择列表框_选用例程.userToggled(0);
  h.w.选择列表框_选用例程.userToggled(1);
  h.dialogs.folderAnswer = u"D:\\out";
  examples::saveChosenExamples(h.wizard.services, h.app.examples.get(), h.w.选择列表框_选用例程);
  EXPECT_EQ(h.files.contents.at(u"D:\\out\\绘制文本2.e"), "ext");
  EXPECT_EQ(h.files.contents.at(u"D:\\out\\绘制文本.e"), "theirs");
  EXPECT_EQ(h.files.contents.at(u"D:\\out\\取窗口标题.e"), kFirstSource);
  EXPECT_FALSE(h.files.exists(u"D:\\out\\小写名称.e"));
  EXPECT_EQ(h.shell.started, (Runs{{kIde, u"D:\\out\\绘制文本2.e"}}));
}

TEST_F(SavingExamples, DriveRootGetsNoSecondBackslash) {
  h.w.按钮_全部选择.userClicked();
  h.dialogs.folderAnswer = u"D:\\";
  examples::saveChosenExamples(h.wizard.services, h.app.examples.get(), h.w.选择列表框_选用例程);
  EXPECT_EQ(h.files.contents.at(u"D:\\绘制文本.e"), "ext");
  EXPECT_EQ(h.files.contents.at(u"D:\\取窗口标题.e"), kFirstSource);
  EXPECT_EQ(h.files.contents.at(u"D:\\小写名称.e"), "lower");
  EXPECT_EQ(h.shell.started, (Runs{{kIde, u"D:\\绘制文本.e"}}));
  EXPECT_TRUE(h.messages.shown.empty());
}

TEST(SavingDamagedExamples, NamesWhatWasNotWrittenSavesTheOthersAndLeavesNoPart) {
  ExamplesWizard h(withFirstSourceDamaged());
  h.files.contents.emplace(kIde, "");
  h.choose("GetWindowTextA");
  h.choose("ExtTextOutA");
  h.showChosenExamplesPage();
  h.w.按钮_全部选择.userClicked();
  h.dialogs.folderAnswer = u"D:\\out";
  // Room for 绘制文本.e ("ext"), none for 小写名称.e ("lower"): the disk fills up part-way.
  h.files.room = 4;
  examples::saveChosenExamples(h.wizard.services, h.app.examples.get(), h.w.选择列表框_选用例程);
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text,
            "这些例程已损坏，读不出来，没有写出：\r\n取窗口标题.e\r\n\r\n"
            "这些例程无法写到“D:\\out\\”：\r\n小写名称.e");
  EXPECT_EQ(h.files.contents.at(u"D:\\out\\绘制文本.e"), "ext");
  EXPECT_FALSE(h.files.exists(u"D:\\out\\取窗口标题.e"));
  EXPECT_FALSE(h.files.exists(u"D:\\out\\小写名称.e"));
  EXPECT_FALSE(h.files.exists(u"D:\\out\\小写名称.e.1.tmp"));
  EXPECT_EQ(h.shell.started, (Runs{{kIde, u"D:\\out\\绘制文本.e"}}));
}

}  // namespace
