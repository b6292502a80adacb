#include "ide_link/import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ide_link/wizard_channel.h"
#include "library/builtin_data.h"
#include "library/declaration_copy.h"
#include "library/program_image.h"
#include "navigation/chosen_lists.h"
#include "tests/headless_wizard.h"
#include "tests/shared_library.h"

namespace {

using ide_link::Argument;
using ide_link::WizardRequestBuffer;

// The records that the import should queue, built one by one.
struct Expected {
  WizardRequestBuffer buffer;
  Expected& declaration(std::int32_t kind, std::string_view name) {
    buffer.queueCommandRecord(
        6, {Argument::integer(kind), Argument::text(name), Argument::integer(2), Argument::text("$")});
    return *this;
  }
  std::string thenAB() {
    buffer.queueCommandRecord(5, {Argument::text("a")});
    buffer.queueCommandRecord(5, {Argument::text("b")});
    return std::string(buffer.bytes());
  }
};

class ImportTest : public ::testing::Test, protected HeadlessWizard {
 protected:
  platform::CheckListBox& chosen = w.选择列表框_选用API;
  WizardRequestBuffer buffer;
  std::string request;  // the records as the IDE received them, empty if it was not reached

  void SetUp() override {
    start();
    messages.shown.clear();  // the missing examples database's, at start-up
  }

  // The IDE: present, and on a request it takes the records, answers and signals back;
  // a slow one answers only when the test says.
  void ideIsThere(std::string reply = "", bool answersAtOnce = true) {
    kernel.createEvent("EWEVT1");
    kernel.createEvent("EWEVT2");
    kernel.whenSignalled("EWEVT1", [this, reply, answersAtOnce] {
      std::span<std::uint8_t> block = kernel.block("EWIZ1");
      request.assign(reinterpret_cast<const char*>(block.data()), block.size());
      std::memcpy(block.data(), reply.c_str(), reply.size() + 1);
      if (answersAtOnce) kernel.signal("EWEVT2");
    });
  }

  // The payload's length, as the request's second word gives it.
  std::size_t payloadSize() const {
    std::uint32_t size = 0;
    std::memcpy(&size, request.data() + 4, 4);
    return size;
  }

  bool waitingForTheIde() const {
    return w.按钮_导入.text() == "放弃等待" && w.启动窗口.ticking() && !ui.destroyed(w.启动窗口);
  }

  // Adds the item and ticks it (or leaves it unticked).
  void add(navigation::CatalogItem item, bool ticked = true) {
    navigation::addToChosenApiList(chosen, catalog(), item);
    for (int pos = 0; pos < chosen.count(); ++pos) {
      if (*navigation::chosenItemAt(chosen, pos) == item) chosen.setChecked(pos, ticked);
    }
  }
  void addApi(std::int32_t entry, bool ticked = true) { add(*navigation::apiOfEntry(catalog(), entry), ticked); }
  void addDataType(std::string_view name, std::int32_t entry, bool ticked = true) {
    add({library::DeclarationKind::dataType, entry, gbk::Text(name)}, ticked);
  }

  std::string queued() {
    ide_link::queueChosenDeclarations(buffer, chosen, catalog());
    return std::string(buffer.bytes());
  }
};

// --- The records -----------------------------------------------------------------------

TEST_F(ImportTest, ApiAndDataTypeItemsInListOrder) {
  addApi(entryOf("GetMenuItemInfoA"));
  addDataType("矩形_", 1);
  EXPECT_EQ(queued(), Expected()
                          .declaration(256, "取菜单条目信息_")
                          .declaration(64, "菜单条目结构_")
                          .declaration(64, "矩形_")
                          .thenAB());
}

TEST_F(ImportTest, EveryShapeOfCatalogEntry) {
  useCatalog(
      "Beep,系统函数,鸣笛_\r\n"                                    // three fields
      "EnumEnhMetaFile,绘图函数,枚举增强图元文件记录_,,矩形_\r\n"  // an empty field between commas
      "Cut,文本函数,剪切_,点_,\r\n"                                // a trailing comma
      "Draw,绘图函数,画_, 矩形_ ,点_\r\n"                          // fields trimmed; shares 矩形_
      "Skip,系统函数,跳过_,尺寸_");                                // left unticked
  // In list order: Beep, Cut, Draw, EnumEnhMetaFile, Skip.
  addApi(1);
  addApi(2);
  addApi(3);
  addApi(5, false);
  addApi(4);
  // A data type item carries an entry number that the import does not use; its name is
  // trimmed of both kinds of space.
  addDataType("　矩形_ ", 5);
  EXPECT_EQ(queued(), Expected()
                          .declaration(256, "鸣笛_")
                          .declaration(256, "剪切_")
                          .declaration(64, "点_")
                          .declaration(256, "画_")
                          .declaration(64, "矩形_")
                          .declaration(64, "点_")
                          .declaration(256, "枚举增强图元文件记录_")
                          .declaration(64, "")
                          .declaration(64, "矩形_")
                          .declaration(64, "矩形_")
                          .thenAB());
}

// The kind is the item's, whatever its name holds.
TEST_F(ImportTest, AnApiWhoseNameHoldsTheDataTypePrefixStaysAnApi) {
  useCatalog("Odd,系统函数,数据类型：尺寸_,点_\r\n");
  addApi(1);
  EXPECT_EQ(queued(), Expected().declaration(256, "数据类型：尺寸_").declaration(64, "点_").thenAB());
}

// The selection is only what is on view: unlike the copy, the import takes it not.
TEST_F(ImportTest, NothingTickedStillQueuesAAndBAndNoneOfTheSelection) {
  addApi(entryOf("GetMenuItemInfoA"), false);
  chosen.setCurrentSelection(0);
  EXPECT_EQ(queued(), Expected().thenAB());
}

// --- The button --------------------------------------------------------------------------

TEST_F(ImportTest, SendsTheLibraryImageWithTheConstantsOfTheCopyWithFlagFalseAndCloses) {
  ideIsThere("whatever the IDE says");
  addApi(entryOf("GetMenuItemInfoA"));
  w.按钮_导入.userClicked();
  // The window answers until its next tick finds the IDE's answer.
  EXPECT_TRUE(waitingForTheIde());
  EXPECT_EQ(w.状态条.parts()[1].text, "正在等待易语言集成开发环境答复…");
  w.启动窗口.ticked();
  ASSERT_GE(request.size(), 12u);
  EXPECT_EQ(request.substr(0, 4), std::string(4, '\0')) << "the send flag";
  ASSERT_GE(request.size(), 12 + payloadSize());
  library::ImageReading payload = library::readProgramImage(request.substr(8, payloadSize()));
  ASSERT_TRUE(payload.ok()) << library::describe(payload.error);
  library::ImageReading image = library::readProgramImage(library::libraryProgramImage());
  EXPECT_EQ(payload.image.dllCommands, image.image.dllCommands);
  EXPECT_EQ(payload.image.dataTypes, image.image.dataTypes);
  // The constants that its copy carries, each as its one line.
  const library::DeclarationName chosenName{library::DeclarationKind::dllCommand, "取菜单条目信息_"};
  std::vector<std::string> copied, sent;
  for (std::string_view line : library::composeDeclarationCopy(sharedLibrary().texts, &sharedLibrary().constants, {&chosenName, 1}).constantLines) {
    copied.push_back(std::string(line) + "\r\n");
  }
  for (const library::ImageDeclaration& constant : payload.image.constants) sent.push_back(constant.source);
  std::sort(copied.begin(), copied.end());
  EXPECT_FALSE(sent.empty());
  EXPECT_EQ(sent, copied);
  std::string records = Expected().declaration(256, "取菜单条目信息_").declaration(64, "菜单条目结构_").thenAB();
  EXPECT_EQ(request.compare(12 + payloadSize(), records.size(), records), 0);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(ui.destroyed(w.启动窗口));
}

TEST_F(ImportTest, WithoutTheIdeTellsTheUserAndKeepsTheWindowAndTheList) {
  addApi(entryOf("GetMenuItemInfoA"));
  addDataType("矩形_", 1, false);
  messages.answer = platform::MessageAnswer::no;
  w.按钮_导入.userClicked();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(
      messages.shown[0].text.starts_with("与易系统通讯失败！请从易系统的菜单“工具->执行易向导”启动本向导。\r\n\r\n"));
  EXPECT_TRUE(messages.shown[0].text.ends_with("现在复制吗？"));
  EXPECT_EQ(messages.shown[0].caption, "信息：");
  EXPECT_EQ(messages.shown[0].icon, platform::MessageIcon::warning);
  EXPECT_EQ(messages.shown[0].buttons, platform::MessageButtons::yesNo);
  EXPECT_EQ(clipboard.writes, 0);
  EXPECT_FALSE(ui.destroyed(w.启动窗口));
  ASSERT_EQ(chosen.count(), 2);
  EXPECT_TRUE(chosen.checked(0));
  EXPECT_FALSE(chosen.checked(1));
  // Once the IDE is there, the same button imports exactly what is ticked, nothing left over.
  ideIsThere();
  w.按钮_导入.userClicked();
  w.启动窗口.ticked();
  std::string records = Expected().declaration(256, "取菜单条目信息_").declaration(64, "菜单条目结构_").thenAB();
  std::size_t image = payloadSize();
  std::string lengthWord = {static_cast<char>(records.size()), 0, 0, 0};
  ASSERT_LT(records.size(), 256u);
  EXPECT_EQ(request.substr(8 + image, 4 + records.size()), lengthWord + records);
  EXPECT_TRUE(ui.destroyed(w.启动窗口));
}

TEST_F(ImportTest, WithoutTheIdeCopiesTheTickedDeclarationsWhenTheUserSaysYes) {
  addApi(entryOf("GetMenuItemInfoA"));
  addDataType("矩形_", 1, false);
  messages.answer = platform::MessageAnswer::yes;
  w.按钮_导入.userClicked();
  std::vector<library::DeclarationName> ticked = {{library::DeclarationKind::dllCommand, "取菜单条目信息_"}};
  EXPECT_EQ(clipboard.text,
            library::composeDeclarationCopy(sharedLibrary().texts, &sharedLibrary().constants, ticked).text);
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_FALSE(ui.destroyed(w.启动窗口));
  EXPECT_EQ(chosen.count(), 2);
}

// --- The wait --------------------------------------------------------------------------

TEST_F(ImportTest, ASlowIdeLeavesTheWindowAnsweringAndTheWaitCanBeGivenUp) {
  ideIsThere("", false);
  addApi(entryOf("GetMenuItemInfoA"));
  w.按钮_导入.userClicked();
  for (int i = 0; i < 3; ++i) w.启动窗口.ticked();
  ASSERT_TRUE(waitingForTheIde());
  // Turning the page keeps the button giving up, not opening examples.
  w.选择夹_选用区.turnToPage(1);
  EXPECT_EQ(w.按钮_导入.text(), "放弃等待");
  w.选择夹_选用区.turnToPage(0);

  // The button gives up, and starts no second exchange.
  w.按钮_导入.userClicked();
  EXPECT_EQ(std::ranges::count(kernel.log, "signal EWEVT1"), 1);
  EXPECT_FALSE(w.启动窗口.ticking());
  EXPECT_EQ(w.按钮_导入.text(), "导入(&Z)");
  EXPECT_TRUE(w.状态条.parts()[1].text.starts_with("已放弃等待"));
  EXPECT_TRUE(chosen.checked(0));
  EXPECT_TRUE(messages.shown.empty());
  // The late answer closes nothing; the next import is answered anew.
  kernel.signal("EWEVT2");
  w.启动窗口.ticked();
  EXPECT_FALSE(ui.destroyed(w.启动窗口));
  w.按钮_导入.userClicked();
  w.启动窗口.ticked();
  EXPECT_TRUE(waitingForTheIde()) << "the leftover signal is no answer";
  kernel.signal("EWEVT2");
  w.启动窗口.ticked();
  EXPECT_TRUE(ui.destroyed(w.启动窗口));
}

TEST_F(ImportTest, EscGivesUpAWaitAndOtherwiseCloses) {
  ideIsThere("", false);
  w.按钮_导入.userClicked();
  w.启动窗口.userPressedEscape();
  EXPECT_FALSE(w.启动窗口.ticking());
  EXPECT_FALSE(ui.destroyed(w.启动窗口));
  w.启动窗口.userPressedEscape();
  EXPECT_TRUE(ui.destroyed(w.启动窗口));
}

TEST_F(ImportTest, AnIdeThatEndsWithoutAnswerEndsTheWaitAsAFailure) {
  ideIsThere("", false);
  addApi(entryOf("GetMenuItemInfoA"));
  messages.answer = platform::MessageAnswer::no;
  w.按钮_导入.userClicked();
  w.启动窗口.ticked();
  ASSERT_TRUE(messages.shown.empty());
  kernel.endIde();
  w.启动窗口.ticked();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].text.starts_with("与易系统通讯失败！"));
  EXPECT_FALSE(w.启动窗口.ticking());
  EXPECT_FALSE(ui.destroyed(w.启动窗口));
  EXPECT_EQ(w.按钮_导入.text(), "导入(&Z)");
  EXPECT_TRUE(chosen.checked(0));
}

TEST_F(ImportTest, OnTheExamplesPageNothingIsSent) {
  ideIsThere();
  addApi(entryOf("GetMenuItemInfoA"));
  w.选择夹_选用区.setCurrentPage(1);
  w.按钮_导入.userClicked();
  EXPECT_TRUE(kernel.log.empty());
  EXPECT_FALSE(ui.destroyed(w.启动窗口));
}

}  // namespace
