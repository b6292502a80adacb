#include "library/program_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "base/gbk_codec.h"
#include "library/builtin_data.h"

namespace {

using library::formatProgramSource;
using library::parseProgramSource;

const std::string kWindowSet =
    ".程序集 窗口程序集_启动窗口\r\n"
    ".程序集变量 菜单句柄, 整数型\r\n"
    "\r\n"
    ".子程序 __启动窗口_创建完毕\r\n"
    "\r\n"
    "菜单句柄 ＝ 取菜单_ (取窗口句柄 ())\r\n"
    "\r\n"
    "\r\n"
    ".子程序 _按钮1_被单击\r\n"
    ".局部变量 信息, 菜单条目结构_\r\n"
    "\r\n"
    "信息.结构大小 ＝ 48\r\n"
    "取菜单条目信息_ (菜单句柄, 0, 真, 信息)\r\n";
const std::string kToolSet = ".程序集 工具集, , , 公开\r\n.子程序 空\r\n";
const std::string kCommand =
    ".DLL命令 取菜单_, 整数型, \"user32.dll\", \"GetMenu\", , 取窗口的菜单句柄\r\n"
    "    .参数 窗口句柄, 整数型, , hWnd,窗口的句柄\r\n";
const std::string kType =
    ".数据类型 尺寸_, , SIZE\r\n"
    "    .成员 宽度, 整数型, , , width\r\n"
    "    .成员 高度, 整数型, , , height\r\n";
const std::string kCanonical = ".版本 2\r\n\r\n" + kWindowSet + "\r\n" + kToolSet + "\r\n" + kCommand + "\r\n" + kType;

TEST(ProgramSource, CanonicalTextParsesIntoBlocksAndFormatsBackByteForByte) {
  auto parsing = parseProgramSource(kCanonical);
  ASSERT_TRUE(parsing.ok()) << parsing.error.line << ": " << parsing.error.reason;
  const auto& program = parsing.program;
  EXPECT_EQ(program.languageVersion, 2u);
  EXPECT_EQ(program.windows, library::newProgram().windows);
  ASSERT_EQ(program.programSets.size(), 2u);
  EXPECT_EQ(program.programSets[0], (library::ImageDeclaration{"窗口程序集_启动窗口", kWindowSet}));
  EXPECT_EQ(program.programSets[1], (library::ImageDeclaration{"工具集", kToolSet}));
  EXPECT_EQ(program.dllCommands, (std::vector<library::ImageDeclaration>{{"取菜单_", kCommand}}));
  EXPECT_EQ(program.dataTypes, (std::vector<library::ImageDeclaration>{{"尺寸_", kType}}));
  EXPECT_EQ(formatProgramSource(program), kCanonical);

  // Through the program file and back.
  auto reading = library::readProgramImage(library::writeProgramImage(program).bytes);
  ASSERT_TRUE(reading.ok());
  EXPECT_EQ(reading.image, program);
  EXPECT_EQ(formatProgramSource(library::newProgram()), ".版本 2\r\n");
}

TEST(ProgramSource, LooseLayoutsParseToTheSameBlocks) {
  // Several empty lines between blocks, empty lines ending a set, no CR LF at the end.
  std::string loose = ".版本 2\r\n\r\n\r\n" + kWindowSet + "\r\n\r\n\r\n" + kToolSet + "\r\n" + kCommand + kType;
  loose.resize(loose.size() - 2);
  auto parsing = parseProgramSource(loose);
  ASSERT_TRUE(parsing.ok()) << parsing.error.line << ": " << parsing.error.reason;
  EXPECT_EQ(formatProgramSource(parsing.program), kCanonical);
}

// The library texts are programs of declarations in canonical form: every block comes
// back as the library image holds it.
TEST(ProgramSource, LibraryTextsAreCanonicalPrograms) {
  auto image = library::readProgramImage(library::libraryProgramImage());
  ASSERT_TRUE(image.ok());
  for (std::string_view text : {library::dllCommandLibraryText(), library::dataTypeLibraryText()}) {
    auto parsing = parseProgramSource(text);
    ASSERT_TRUE(parsing.ok()) << parsing.error.line << ": " << parsing.error.reason;
    EXPECT_EQ(formatProgramSource(parsing.program), text);
    for (const auto& block : parsing.program.dllCommands) {
      const auto* found = library::findDeclaration(image.image, library::DeclarationKind::dllCommand, block.name);
      ASSERT_NE(found, nullptr) << gbk::toUtf8(block.name);
      EXPECT_EQ(*found, block);
    }
    for (const auto& block : parsing.program.dataTypes) {
      const auto* found = library::findDeclaration(image.image, library::DeclarationKind::dataType, block.name);
      ASSERT_NE(found, nullptr) << gbk::toUtf8(block.name);
      EXPECT_EQ(*found, block);
    }
  }
}

TEST(ProgramSource, FaultsNameTheirLine) {
  struct Case {
    std::string text;
    std::size_t line;
  };
  const std::string head = ".版本 2\r\n\r\n";
  const Case cases[] = {
      {"", 1},
      {".版本 二\r\n", 1},
      {".版本 2 \r\n", 1},
      {kCommand, 1},
      {".版本 2\n\n" + kCommand, 1},
      {head + "信息框 (“你好”, 0, , )\r\n", 3},
      {head + kCommand + "    .成员 宽度, 整数型, , , width\r\n", 5},
      {head + kType + "    .参数 宽度, 整数型, , width\r\n", 6},
      {head + kType + "  .成员 宽度, 整数型, , , width\r\n", 6},
      {head + kCommand + "\r\n    .参数 窗口句柄, 整数型, , hWnd\r\n", 6},
      {head + ".DLL命令 取菜单_\r\n", 3},
      {head + ".数据类型 , , SIZE\r\n", 3},
      {head + ".程序集 \r\n", 3},
      {head + ".程序集 , , , 公开\r\n", 3},
      {head + kToolSet + ".子程序 甲\r\n" + kToolSet, 6},
      {head + kType + "\r\n" + kType, 7},
      {head + kToolSet + "返回 (1)\n", 5},
      {head + kToolSet + "返回 (1)\r\r\n", 5},
  };
  for (const Case& c : cases) {
    auto parsing = parseProgramSource(c.text);
    EXPECT_FALSE(parsing.ok()) << gbk::toUtf8(c.text);
    EXPECT_EQ(parsing.error.line, c.line) << gbk::toUtf8(c.text) << parsing.error.reason;
    EXPECT_FALSE(parsing.error.reason.empty());
  }
  // The same name in two kinds is no clash.
  EXPECT_TRUE(parseProgramSource(head + ".程序集 尺寸_\r\n\r\n" + kType).ok());
}

// Damaged texts: an error within the text's lines, or a program whose text reads back
// as the same program; a program that parses always makes a program file.
TEST(ProgramSource, MutatedTextsParseConsistently) {
  std::mt19937 random(20261207);
  auto below = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  const std::string pieces[] = {"\r\n",      "\n",         "\r",     "    ", ".程序集 ",
                                ".DLL命令 ", ".数据类型 ", ".参数 ", ",",    "\r\n\r\n"};
  int accepted = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string text = kCanonical;
    for (std::size_t step = 0, steps = 1 + below(3); step < steps; ++step) {
      std::size_t at = below(text.size() + 1);
      if (below(2)) {
        text.insert(at, pieces[below(std::size(pieces))]);
      } else {
        text.erase(at, below(12));
      }
    }
    auto parsing = parseProgramSource(text);
    std::size_t lines = 1 + std::count(text.begin(), text.end(), '\n');
    if (!parsing.ok()) {
      EXPECT_GE(parsing.error.line, 1u);
      EXPECT_LE(parsing.error.line, lines);
      continue;
    }
    ++accepted;
    auto again = parseProgramSource(formatProgramSource(parsing.program));
    ASSERT_TRUE(again.ok()) << again.error.reason;
    EXPECT_EQ(again.program, parsing.program);
    EXPECT_TRUE(library::writeProgramImage(parsing.program).ok());
    if (HasFailure()) return;
  }
  EXPECT_GT(accepted, 0);
  EXPECT_LT(accepted, 3000);
}

}  // namespace
