#include <gtest/gtest.h>

#include "examples/example_lists.h"
#include "examples_wizard.h"
#include "navigation/chosen_lists.h"
#include "navigation/search.h"

namespace {

using Items = std::vector<std::pair<std::string, std::int32_t>>;

TEST(ExampleList, FillsInRecordOrderAtStartUp) {
  ExamplesWizard h;
  EXPECT_TRUE(h.messages.shown.empty());
  EXPECT_EQ(h.items(h.w.列表框_例程列表),
            (Items{{"取窗口标题.e", 1}, {"绘制文本.e", 2}, {"小写名称.e", 3}, {"菜单信息.e", 4}, {"消息框.e", 5}}));
}

TEST(ExampleList, ANameThatCannotBeAFileNameIsLeftOutOfEveryList) {
  ExamplesWizard h(std::vector<examples::ExampleRecord>{{std::string(254, 'x') + ".e", "GetWindowTextA/", "long"},
                                                        {"短.e", "GetWindowTextA/", "short"}});
  EXPECT_EQ(h.items(h.w.列表框_例程列表), (Items{{"短.e", 2}}));
  h.choose("GetWindowTextA");
  h.showChosenExamplesPage();
  EXPECT_EQ(h.items(h.w.选择列表框_选用例程), (Items{{"短.e", 2}}));
  h.w.组合框_搜索类型.userChose(1);
  h.w.按钮_搜索.userClicked();
  EXPECT_EQ(h.items(h.w.列表框_搜索结果), (Items{{"短.e", 2}}));
}

// A database whose field 1 is a byte set would have the lists read a block chain per
// record, and every record may point at one long chain: it is no examples database.
TEST(ExampleList, ADatabaseWhoseFieldsAreNotTextTextByteSetDoesNotOpen) {
  using examples::FieldType;
  for (FieldType first : {FieldType::byteSet, FieldType::memo}) {
    examples::DatabaseContent content;
    content.fields = {{"name", first, 0}, {"apis", FieldType::text, 16}, {"source", FieldType::byteSet, 0}};
    content.records = {{"x.e", "GetWindowTextA/", "source"}};
    ExamplesWizard h(examples::writeDatabase(content));
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, "API例程数据库无法打开,请编译到wizard文件夹中使用！");
    EXPECT_EQ(h.w.列表框_例程列表.count(), 0);
    EXPECT_FALSE(h.app.examples);
  }
}

TEST(ExampleList, SelectingAnExampleMakesItCurrentAndNamesItInTheStatusBar) {
  ExamplesWizard h;
  h.w.列表框_例程列表.userSelected(2);
  EXPECT_EQ(h.app.examples->currentRecord(), 3);
  const auto& parts = h.w.状态条.parts();
  EXPECT_EQ(parts[0].text, "API例程：");
  EXPECT_EQ(parts[0].width, h.w.画板1.measureText("API例程：").width + 5);
  EXPECT_EQ(parts[1].text, "小写名称.e");
  h.showChosenExamplesPage();
  h.w.选择列表框_选用例程.userSelected(0);
  EXPECT_EQ(h.w.状态条.parts()[1].text, "");
}

TEST(ExampleList, MissingDatabaseSaysSoOnceAndTheExamplesStayEmpty) {
  HeadlessWizard h;
  h.start();
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text, "API例程数据库无法打开,请编译到wizard文件夹中使用！");
  EXPECT_EQ(h.messages.shown[0].caption, "信息：");
  EXPECT_EQ(h.messages.shown[0].icon, platform::MessageIcon::none);
  EXPECT_EQ(h.messages.shown[0].buttons, platform::MessageButtons::ok);
  EXPECT_EQ(h.w.列表框_例程列表.count(), 0);
  navigation::addCatalogEntryToChosenApiList(h.wizard.window, h.catalog(), h.entryOf("GetWindowTextA"));
  h.w.选择夹_选用区.userChangedPage(1);
  h.w.组合框_搜索类型.userChose(1);
  h.w.按钮_搜索.userClicked();
  h.w.按钮_导入.userClicked();
  EXPECT_EQ(h.w.选择列表框_选用例程.count(), 0);
  EXPECT_EQ(h.w.列表框_搜索结果.count(), 0);
  EXPECT_EQ(h.messages.shown.size(), 1u);
}

// The database beside a program whose folder has characters that GBK lacks.
struct ExamplesIn : HeadlessWizard {
  explicit ExamplesIn(platform::Path folder) {
    shell.programFolderPath = std::move(folder);
    platform::Path database = examples::examplesDatabasePath(shell.programFolderPath);
    examples::WrittenDatabase written = examples::writeExampleDatabase(ExamplesWizard::fiveExamples());
    files.contents.emplace(database, written.database);
    files.contents.emplace(examples::auxiliaryFileName(database), written.auxiliary);
  }
};

TEST(ExampleList, OpensBesideAProgramInAFolderOutsideGbk) {
  const platform::Path folder = u"C:\\测试\\한국\\wizard";  // GBK lacks Hangul
  ExamplesIn h(folder);
  h.start();
  EXPECT_TRUE(h.messages.shown.empty());
  EXPECT_EQ(h.w.列表框_例程列表.count(), 5);
  EXPECT_TRUE(h.files.held(folder + u"\\API例程.edb"));
  EXPECT_TRUE(h.files.held(folder + u"\\API例程.EDT"));
}

// A second wizard started from the same folder finds the database held by the first.
TEST(ExampleList, ADatabaseHeldByAnotherProgramIsSaidToBeInUse) {
  ExamplesIn h(u"C:\\E\\wizard");
  platform::Hold first = h.files.holdExclusive(u"C:\\E\\wizard\\API例程.edb");
  h.start();
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text,
            "API例程数据库正被另一个程序使用（也许是已在运行的另一个API向导），无法打开。"
            "关闭那个程序后再启动本程序，就能看到例程。");
  EXPECT_EQ(h.messages.shown[0].caption, "信息：");
  EXPECT_EQ(h.w.列表框_例程列表.count(), 0);
  EXPECT_FALSE(h.app.examples);
}

TEST(RelatedExamples, GroupedByChosenApiEachOnceBySubstringAndAnyAsciiCase) {
  ExamplesWizard h;
  h.choose("TextOutA");
  h.choose("SendMessageA");
  h.choose("GetWindowTextA");
  h.choose("CreateWindowExA");
  h.showChosenExamplesPage();
  // Sorted chosen list: CreateWindowExA (nothing), GetWindowTextA (1 and, in lower case,
  // 3), SendMessageA (1 again), TextOutA (inside ExtTextOutA: 2).
  EXPECT_EQ(h.items(h.w.选择列表框_选用例程), (Items{{"取窗口标题.e", 1}, {"小写名称.e", 3}, {"绘制文本.e", 2}}));
}

TEST(RelatedExamples, ADataTypeItemCountsThroughItsEntryNumber) {
  ExamplesWizard h;
  std::int32_t entry = h.entryOf("GetMenuItemInfoA");
  navigation::addToChosenApiList(h.w.选择列表框_选用API, h.catalog(),
                                 {library::DeclarationKind::dataType, entry, "菜单条目结构_"});
  h.showChosenExamplesPage();
  EXPECT_EQ(h.items(h.w.选择列表框_选用例程), (Items{{"菜单信息.e", 4}}));
}

TEST(RelatedExamples, ComingBackToThePageClearsTheTicks) {
  ExamplesWizard h;
  h.choose("GetWindowTextA");
  h.showChosenExamplesPage();
  h.w.选择列表框_选用例程.userToggled(1);
  h.w.选择夹_选用区.userChangedPage(0);
  h.showChosenExamplesPage();
  ASSERT_EQ(h.w.选择列表框_选用例程.count(), 2);
  EXPECT_FALSE(h.w.选择列表框_选用例程.checked(1));
  EXPECT_EQ(h.w.按钮_导入.text(), "打开例程(&O)");
  EXPECT_FALSE(h.w.按钮_清空选用框.enabled());
}

TEST(ExampleSearch, ListsFileNamesThatContainTheTextWithTheirRecords) {
  ExamplesWizard h;
  h.w.组合框_搜索类型.userChose(1);
  h.w.编辑框_搜索内容.userTyped("窗口");
  h.w.按钮_搜索.userClicked();
  EXPECT_EQ(h.items(h.w.列表框_搜索结果), (Items{{"取窗口标题.e", 1}}));
  // Names are searched as listed: 菜单信息 is listed as 菜单信息.e.
  h.w.编辑框_搜索内容.userTyped(".E");
  h.w.按钮_搜索.userClicked();
  EXPECT_EQ(h.w.列表框_搜索结果.count(), 5);
}

TEST(ExampleSearch, AHitStoredWithoutDotEIsStillAnExample) {
  ExamplesWizard h;
  h.w.组合框_搜索类型.userChose(1);
  h.w.编辑框_搜索内容.userTyped("菜单");
  h.w.按钮_搜索.userClicked();
  ASSERT_EQ(h.items(h.w.列表框_搜索结果), (Items{{"菜单信息.e", 4}}));
  gbk::Text shown = h.w.编辑框_文本形式.text();
  h.w.列表框_搜索结果.userSelected(0);
  // Record 4 is current; catalog entry 4's declaration is not shown.
  EXPECT_EQ(h.app.examples->currentRecord(), 4);
  EXPECT_EQ(h.w.编辑框_文本形式.text(), shown);
  EXPECT_EQ(h.w.状态条.parts()[0].text, "API例程：");
  EXPECT_EQ(h.w.状态条.parts()[1].text, "菜单信息.e");
}

}  // namespace
