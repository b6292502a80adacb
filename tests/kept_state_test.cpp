#include <gtest/gtest.h>

#include <string>

#include "app/keeping.h"
#include "app/layout.h"
#include "navigation/chosen_lists.h"
#include "tests/headless_wizard.h"
#include "window/kept_state.h"

namespace {

using library::DeclarationKind;
using window::KeptItem;
using window::KeptState;
using window::readKeptState;

// --- The file's layout ------------------------------------------------------------

constexpr std::string_view kSmallFile =
    "kelvane-api-wizard-state 1\r\n"
    "window -4 10 700 600\r\n"
    "tree chinese\r\n"
    "index english\r\n"
    "search chinese\r\n"
    "view type \xB2\xCB\xB5\xA5\r\n"               // 菜单
    "chosen ticked api \xC8\xA1\xB2\xCB\xB5\xA5_\r\n"  // 取菜单_
    "chosen unticked type POINT\r\n"
    "end\r\n";

KeptState smallState() {
  KeptState state;
  state.windowPlace = platform::Rect{-4, 10, 700, 600};
  state.englishIndex = true;
  state.onView = KeptItem{DeclarationKind::dataType, "\xB2\xCB\xB5\xA5", false};
  state.chosen = {{DeclarationKind::dllCommand, "\xC8\xA1\xB2\xCB\xB5\xA5_", true},
                  {DeclarationKind::dataType, "POINT", false}};
  return state;
}

TEST(KeptStateFile, IsWrittenAndReadInItsLayout) {
  EXPECT_EQ(window::writeKeptState(smallState()), kSmallFile);
  EXPECT_EQ(readKeptState(kSmallFile), smallState());
  // Only the first and the last line must be there.
  EXPECT_EQ(readKeptState("kelvane-api-wizard-state 1\r\nend\r\n"), KeptState{});
}

TEST(KeptStateFile, AnyCutIsRejected) {
  for (std::size_t length = 0; length < kSmallFile.size(); ++length) {
    EXPECT_FALSE(readKeptState(kSmallFile.substr(0, length))) << length;
  }
}

// The file with `line` in place of the chosen ones.
std::string withLine(std::string_view line) {
  return "kelvane-api-wizard-state 1\r\n" + std::string(line) + "\r\nend\r\n";
}

TEST(KeptStateFile, ForeignOrDamagedLinesRejectTheWholeFile) {
  for (std::string_view line : {
           "colour red",                          // a key of no layout
           "window 1 2 3",                        // too few numbers
           "window 1 2 3 4 5",                    // too many
           "window 1 2 0 4",                      // no width
           "window +1 2 3 4",                     // not a plain number
           "window 1 2 3 4000000",                // beyond any screen
           "tree klingon",                        // no language
           "view api ",                           // no name
           "view macro X",                        // no kind
           "chosen maybe api X",                  // no tick
           "chosen ticked api X\x01Y",            // a control character
           "chosen ticked api \xB2",              // half a character
           "chosen ticked api \xB2\x30",          // no trail byte
           "index english\r\nindex chinese",      // a key twice
       }) {
    EXPECT_FALSE(readKeptState(withLine(line))) << line;
  }
  EXPECT_FALSE(readKeptState("kelvane-api-wizard-state 2\r\nend\r\n"));
  EXPECT_FALSE(readKeptState(withLine("end")));  // a line after the end
  EXPECT_TRUE(readKeptState(withLine("chosen ticked api " + std::string(window::kLongestKeptName, 'A'))));
  EXPECT_FALSE(readKeptState(withLine("chosen ticked api " + std::string(window::kLongestKeptName + 1, 'A'))));
}

TEST(KeptStateFile, SizesAreBounded) {
  std::string lines;
  for (std::size_t n = 0; n < window::kMostKeptItems; ++n) lines += "chosen ticked api A\r\n";
  std::string most = withLine(lines.substr(0, lines.size() - 2));
  ASSERT_TRUE(readKeptState(most));
  EXPECT_EQ(readKeptState(most)->chosen.size(), window::kMostKeptItems);
  EXPECT_FALSE(readKeptState(withLine(lines + "chosen ticked api A")));
  std::string large = withLine(std::string(window::kLargestKeptFile, ' '));
  EXPECT_FALSE(readKeptState(large));
}

// --- Kept between runs ------------------------------------------------------------

const platform::Path kKeptFile = u"C:\\Users\\user\\AppData\\Roaming\\Kelvane\\API向导\\state.txt";

class KeptBetweenRuns : public ::testing::Test {
 protected:
  // A run of the wizard that starts with the files of the last run.
  struct Run : HeadlessWizard {
    explicit Run(const std::map<platform::Path, std::string>& files = {}) {
      this->files.contents = files;
      start();
    }
    std::vector<std::pair<gbk::Text, bool>> chosen() const {
      std::vector<std::pair<gbk::Text, bool>> out;
      for (int pos = 0; pos < w.选择列表框_选用API.count(); ++pos) {
        out.emplace_back(w.选择列表框_选用API.itemText(pos), w.选择列表框_选用API.checked(pos));
      }
      return out;
    }
    // The window, lists and view as a run that starts with no kept state.
    void expectAsIfNoFile(const Run& fresh) const {
      EXPECT_EQ(chosen(), fresh.chosen());
      EXPECT_EQ(w.启动窗口.rect(), fresh.w.启动窗口.rect());
      EXPECT_TRUE(w.单选框_中文索引.checked());
      EXPECT_EQ(w.编辑框_文本形式.text(), fresh.w.编辑框_文本形式.text());
    }
  };
};

TEST_F(KeptBetweenRuns, ARestartShowsWhatWasKept) {
  Run first;
  for (std::string_view english : {"GetMenuItemInfoA", "SetWindowTextA", "AbortPath"}) {
    navigation::addCatalogEntryToChosenApiList(first.w, first.catalog(), first.entryOf(english));
  }
  navigation::addToChosenApiList(first.w.选择列表框_选用API, first.catalog(),
                                 {DeclarationKind::dataType, first.entryOf("GetMenuItemInfoA"), "菜单条目结构_"});
  first.w.选择列表框_选用API.setChecked(1, true);
  first.w.选择列表框_选用API.setChecked(3, true);
  first.w.单选框_英文索引.userClicked();
  first.w.单选框_英文树形框.userClicked();
  first.w.组合框_搜索API显示.userChose(1);
  first.w.启动窗口.setRect({100, 50, 800, 640});
  first.w.选择列表框_选用API.userSelected(3);
  app::shutDown(first.app);
  ASSERT_TRUE(first.files.contents.count(kKeptFile));

  Run second(first.files.contents);
  EXPECT_EQ(second.chosen(), first.chosen());
  EXPECT_TRUE(second.w.单选框_英文索引.checked());
  EXPECT_TRUE(second.w.单选框_英文树形框.checked());
  EXPECT_EQ(second.w.组合框_搜索API显示.currentSelection(), 1);
  EXPECT_EQ(second.w.启动窗口.rect(), (platform::Rect{100, 50, 800, 640}));
  EXPECT_EQ(second.w.编辑框_文本形式.text(), first.w.编辑框_文本形式.text());
  EXPECT_TRUE(second.w.状态条.parts()[1].text.empty() || second.w.状态条.parts()[0].text != "注意：");
  // No file is left half-written beside the kept one.
  EXPECT_EQ(second.files.contents.size(), 1u);
}

TEST_F(KeptBetweenRuns, AFileOfNoUseStartsAsIfThereWereNone) {
  Run first;
  navigation::addCatalogEntryToChosenApiList(first.w, first.catalog(), first.entryOf("AbortPath"));
  first.w.单选框_英文索引.userClicked();
  app::shutDown(first.app);
  const std::string good = first.files.contents.at(kKeptFile);
  std::string unknown = "kelvane-api-wizard-state 1\r\n";
  for (int n = 0; n < 10000; ++n) unknown += "chosen ticked api NoSuchApi" + std::to_string(n) + "\r\n";
  const Run fresh;
  for (const std::string& bytes : {good.substr(0, good.size() - 3), std::string(window::kLargestKeptFile + 1, 'x'), unknown + "end\r\n",
                                   std::string("\0\0\0", 3)}) {
    Run run({{kKeptFile, bytes}});
    run.expectAsIfNoFile(fresh);
    EXPECT_EQ(run.w.状态条.parts()[0].text, "注意：");
  }
}

TEST_F(KeptBetweenRuns, NamesTheLibraryDoesNotHoldAreDropped) {
  Run run({{kKeptFile, "kelvane-api-wizard-state 1\r\n"
                       "window 5000 5000 700 600\r\n"  // off the screen: the default place
                       "view api NoSuchApi_\r\n"
                       "chosen ticked api NoSuchApi_\r\n"
                       "chosen ticked api 取消路径_\r\n"
                       "chosen ticked type NoSuchType_\r\n"
                       "end\r\n"}});
  ASSERT_EQ(run.chosen().size(), 1u);
  EXPECT_EQ(run.w.状态条.parts()[1].text, "上次保存的 3 项不在库中，已略去");
  EXPECT_EQ(run.w.启动窗口.rect(), Run().w.启动窗口.rect());
}

TEST_F(KeptBetweenRuns, AFailedWriteLeavesTheLastFile) {
  Run run({{kKeptFile, "kelvane-api-wizard-state 1\r\nend\r\n"}});
  navigation::addCatalogEntryToChosenApiList(run.w, run.catalog(), run.entryOf("AbortPath"));
  run.files.room = 10;
  app::shutDown(run.app);
  EXPECT_EQ(run.files.contents.at(kKeptFile), "kelvane-api-wizard-state 1\r\nend\r\n");
  EXPECT_EQ(run.files.contents.size(), 1u);
}

// --- The window's least size ------------------------------------------------------

bool overlap(platform::Rect a, platform::Rect b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height && b.top < a.top + a.height;
}

TEST(LeastWindowSize, NoControlOverlapsAnotherOrTheStatusBar) {
  HeadlessWizard run;
  run.start();
  window::StartupWindow& w = run.w;
  w.启动窗口.userResized(w.启动窗口.minimumClientSize());
  const platform::Size client = w.启动窗口.clientSize();
  const platform::Rect status{0, client.height - w.状态条.rect().height, client.width, w.状态条.rect().height};
  const platform::Rect area = w.选择夹_选用区.rect();
  for (const platform::Control* c : std::initializer_list<const platform::Control*>{
           &w.选择夹_目录区, &w.选择夹_选用区, &w.外形框1, &w.单选框_代码形式, &w.单选框_文本形式, &w.单选框_常量形式,
           &w.标签2, &w.按钮_全部选择, &w.按钮_关闭程序}) {
    EXPECT_FALSE(overlap(c->rect(), status)) << c->name();
    EXPECT_LE(c->rect().left + c->rect().width, client.width) << c->name();
  }
  EXPECT_FALSE(overlap(w.选择夹_目录区.rect(), area));
  EXPECT_FALSE(overlap(w.选择夹_目录区.rect(), w.外形框1.rect()));
  EXPECT_FALSE(overlap(area, w.外形框1.rect()));
  // The chosen list keeps a width left of the buttons; the table shows two rows.
  const platform::Rect list = w.选择列表框_选用API.rect();
  EXPECT_GE(list.width, 120);
  EXPECT_LT(area.left + list.left + list.width, w.按钮_全部选择.rect().left);
  EXPECT_LT(area.left + list.left + list.width, w.标签2.rect().left);
  EXPECT_GE(w.高级表格1.rect().height, 48);
  EXPECT_GT(w.列表框_搜索结果.rect().height, 0);
}

}  // namespace
