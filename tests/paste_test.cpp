#include "stand_in_ide/paste.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/gbk_codec.h"
#include "library/program_source.h"

namespace {

using library::ImageDeclaration;
using stand_in_ide::pasteMessage;
using stand_in_ide::pasteText;

const std::string kCommand =
    ".DLL命令 取菜单_, 整数型, \"user32.dll\", \"GetMenu\", , 取窗口的菜单句柄\r\n"
    "    .参数 窗口句柄, 整数型, , hWnd,窗口的句柄\r\n";
const std::string kType =
    ".数据类型 尺寸_, , SIZE\r\n"
    "    .成员 宽度, 整数型, , , width\r\n"
    "    .成员 高度, 整数型, , , height\r\n";
const std::string kString = ".常量 MIIM_STRING, \"64\", , WinUser.h\r\n";
const std::string kType2 = ".常量 MIIM_FTYPE, \"256\", , WinUser.h\r\n";
// As the wizard copies its chosen declarations: version, commands, types, constants.
const std::string kCopied = ".版本 2\r\n\r\n" + kCommand + "\r\n" + kType + "\r\n" + kString + kType2;

TEST(Paste, AddsCommandsTypesAndConstantsByteForByte) {
  library::ProgramImage program = library::newProgram();
  auto report = pasteText(program, kCopied);
  ASSERT_TRUE(report.ok()) << report.refusal;
  EXPECT_EQ(report.added, 4u);
  EXPECT_EQ(pasteMessage(report), "已粘贴 4 个声明");
  EXPECT_EQ(program.dllCommands, (std::vector<ImageDeclaration>{{"取菜单_", kCommand}}));
  EXPECT_EQ(program.dataTypes, (std::vector<ImageDeclaration>{{"尺寸_", kType}}));
  EXPECT_EQ(program.constants, (std::vector<ImageDeclaration>{{"MIIM_STRING", kString}, {"MIIM_FTYPE", kType2}}));
  EXPECT_EQ(library::formatProgramSource(program), kCopied);

  // The program file keeps the constants.
  auto reading = library::readProgramImage(library::writeProgramImage(program).bytes);
  ASSERT_TRUE(reading.ok());
  EXPECT_EQ(reading.image.constants.size(), 2u);
}

TEST(Paste, TakesLfLineEndsAndUtf16) {
  std::string text = ".版本 2\r\n" + kCommand + "\n" + kString;
  for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;) text.erase(at, 1);
  library::ProgramImage program = library::newProgram();
  ASSERT_TRUE(pasteText(program, text).ok());
  EXPECT_EQ(program.dllCommands, (std::vector<ImageDeclaration>{{"取菜单_", kCommand}}));
  EXPECT_EQ(program.constants, (std::vector<ImageDeclaration>{{"MIIM_STRING", kString}}));

  // UTF-16, as CF_UNICODETEXT holds it, gives the same GBK.
  library::ProgramImage fromUnicode = library::newProgram();
  ASSERT_TRUE(pasteText(fromUnicode, gbk::toUtf16(text)).ok());
  EXPECT_EQ(fromUnicode, program);
}

std::span<const unsigned char> bytesOf(std::string_view text) {
  return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

// A clipboard block ends at its first NUL, or whole at its end: its last character is
// text (a CF_TEXT block that a program sized to its text, without the NUL).
TEST(Paste, TakesAClipboardBlockToItsNulOrWholeWithoutOne) {
  using stand_in_ide::ClipboardText;
  const std::string text = ".版本 2\r\n.常量 甲, \"12\", , 注释乙";
  const std::vector<ImageDeclaration> pasted = {{"甲", ".常量 甲, \"12\", , 注释乙\r\n"}};
  const std::u16string wide = gbk::toUtf16(text);
  const std::string wideBytes(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
  struct Block {
    ClipboardText text;
    std::string bytes;
    std::size_t start;  // 1: the block lies at an odd address
  };
  const Block blocks[] = {
      {ClipboardText::gbk, text, 0},
      {ClipboardText::gbk, text + '\0' + "\xB1\xAF", 0},  // what follows the NUL is not text
      {ClipboardText::utf16, wideBytes, 0},
      {ClipboardText::utf16, wideBytes + std::string("\0\0.", 3), 0},
      {ClipboardText::utf16, "." + wideBytes + "\x01", 1},  // and an odd last byte
  };
  for (const Block& block : blocks) {
    library::ProgramImage program = library::newProgram();
    auto report = stand_in_ide::pasteBlock(program, block.text, bytesOf(block.bytes).subspan(block.start));
    ASSERT_TRUE(report.ok()) << block.bytes.size() << ": " << report.refusal;
    EXPECT_EQ(program.constants, pasted) << block.bytes.size();
  }
  library::ProgramImage program = library::newProgram();
  const std::string tooLarge(stand_in_ide::kLargestPastedText + 2, ' ');
  EXPECT_EQ(stand_in_ide::pasteBlock(program, ClipboardText::gbk, bytesOf(tooLarge)).refusal,
            "粘贴的文本太大（超过 16 MB）");
}

TEST(Paste, KeepsTheProgramsOwnDeclarationOfTheSameName) {
  library::ProgramImage program = library::newProgram();
  const std::string own = ".DLL命令 取菜单_, 整数型, \"user32\", \"GetMenu\"\r\n";
  program.dllCommands = {{"取菜单_", own}};
  program.constants = {{"MIIM_STRING", ".常量 MIIM_STRING, \"1\"\r\n"}};
  auto report = pasteText(program, kCopied);
  ASSERT_TRUE(report.ok());
  EXPECT_EQ(report.added, 2u);
  EXPECT_EQ(report.kept, 2u);
  EXPECT_EQ(program.dllCommands, (std::vector<ImageDeclaration>{{"取菜单_", own}}));
  EXPECT_EQ(program.constants.size(), 2u);
  EXPECT_EQ(program.constants[0].source, ".常量 MIIM_STRING, \"1\"\r\n");
  EXPECT_EQ(pasteMessage(report), "已粘贴 2 个声明，程序中已有 2 个同名的，保留原有的");
}

TEST(Paste, RefusesWhatDoesNotParseAndChangesNothing) {
  library::ProgramImage program = library::newProgram();
  ASSERT_TRUE(pasteText(program, ".版本 2\r\n" + kType).ok());
  const library::ProgramImage before = program;
  struct Case {
    std::string text;
    std::string refusal;
  };
  const Case cases[] = {
      {kCommand + "\r\n", "粘贴的文本不是易程序代码，第 1 行：the first line is not the version line"},
      {".版本 2\r\n" + kCommand + "\r\n取菜单_ (0)\r\n",
       "粘贴的文本不是易程序代码，第 5 行：a line outside every block"},
      {".版本 2\r\n" + kString + "    .参数 甲, 整数型\r\n",
       "粘贴的文本不是易程序代码，第 3 行：a line under a constant, which is one line"},
      {".版本 2\n" + kString + kString,
       "粘贴的文本不是易程序代码，第 3 行：a name given twice in its kind, first at line 2"},
      {".版本 2\r\n" + kCommand + "\r" + kString, "粘贴的文本不是易程序代码，第 4 行：CR inside a line"},
      {".版本 2\r\n.常量 甲" + std::string(1, '\0') + "乙, \"1\"\r\n",
       "粘贴的文本不是易程序代码，第 2 行：NUL inside a line"},
      {".版本 2\r\n.程序集 窗口程序集\r\n" + kString, "粘贴的文本含有程序集，只能粘贴 DLL 命令、数据类型和常量"},
      {".版本 2\r\n\r\n", "粘贴的文本中没有 DLL 命令、数据类型或常量"},
      {"", "粘贴的文本不是易程序代码，第 1 行：empty text: the first line must be the version line"},
      {std::string(stand_in_ide::kLargestPastedText + 1, ' '), "粘贴的文本太大（超过 16 MB）"},
  };
  for (const Case& c : cases) {
    auto report = pasteText(program, c.text);
    EXPECT_EQ(report.refusal, c.refusal) << c.text.substr(0, 80);
    EXPECT_EQ(program, before);
  }
  auto outsideGbk = pasteText(program, u".版本 2\r\n.常量 甲, \"\U0001F600\"\r\n");
  EXPECT_EQ(pasteMessage(outsideGbk), "粘贴的文本含有 GBK 以外的字符，程序未改变。");
  EXPECT_EQ(program, before);
}

}  // namespace
