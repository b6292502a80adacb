// The stand-in IDE's portable part: decoding a wizard's request, importing what it
// names, and reading its own command line.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "library/builtin_data.h"
#include "library/program_source.h"
#include "library/wizard_request.h"
#include "stand_in_ide/command_line.h"
#include "stand_in_ide/import.h"
#include "tests/wizard_request_bytes.h"

namespace {

using request_bytes::u32;
using Argument = library::ReadArgument;
using library::ArgumentType;
using library::CommandRecord;
using library::WizardRequest;

std::span<const unsigned char> span(const std::string& bytes) {
  return {reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()};
}

Argument integer(std::uint32_t value) { return {ArgumentType::integer, value, 0, {}}; }
Argument text(std::string value) { return {ArgumentType::text, 0x12345678, 0, std::move(value)}; }

CommandRecord nameDeclaration(std::uint32_t kind, std::string name) {
  return {6, {integer(kind), text(std::move(name)), integer(2), text("$")}};
}

// What the wizard sends for GetMenuItemInfoA, with `payload`.
WizardRequest menuItemImport(std::string payload) {
  return {0,
          std::move(payload),
          {nameDeclaration(256, "取菜单条目信息_"),
           nameDeclaration(64, "菜单条目结构_"),
           {5, {text("a")}},
           {5, {text("b")}}}};
}

std::string decodeError(const std::string& bytes) { return library::decodeRequest(span(bytes)).error; }

TEST(WizardRequest, DecodesTheLayoutByteForByte) {
  // Flag 1, a 3-byte payload (so N stands unaligned), a code-5 record "a" of 22 bytes and
  // a record with a logical and a byte set; the rest of the 2048-byte block is zero.
  const std::string codeFive = u32(5) + u32(1) + u32(0xDEADBEEF) + u32(0) + u32(0x80000004) + "a" + '\0';
  ASSERT_EQ(codeFive.size(), 22u);
  const std::string other = u32(9) + u32(2) + u32(1) + u32(0) + u32(0x80000002) +  //
                            u32(0) + u32(0) + u32(0x80000005) + u32(1) + u32(2) + "\x01\x02";
  std::string block = u32(1) + u32(3) + "xyz" + u32(22 + other.size()) + codeFive + other;
  block.resize(2048, '\0');

  auto decoding = library::decodeRequest(span(block));
  ASSERT_TRUE(decoding.ok()) << decoding.error;
  const WizardRequest& request = decoding.request;
  EXPECT_EQ(request.sendFlag, 1u);
  EXPECT_EQ(request.payload, "xyz");
  ASSERT_EQ(request.records.size(), 2u);
  EXPECT_EQ(request.records[0], (CommandRecord{5, {{ArgumentType::text, 0xDEADBEEF, 0, "a"}}}));
  EXPECT_EQ(request.records[1],
            (CommandRecord{9, {{ArgumentType::logical, 1, 0, {}}, {ArgumentType::byteSet, 0, 0, "\x01\x02"}}}));

  // An empty text is its NUL alone; no records at all is N = 0.
  auto empty = library::decodeRequest(
      span(u32(0) + u32(0) + u32(21) + u32(5) + u32(1) + u32(0) + u32(0) + u32(0x80000004) + '\0'));
  ASSERT_TRUE(empty.ok()) << empty.error;
  EXPECT_EQ(empty.request.records, (std::vector<CommandRecord>{{5, {{ArgumentType::text, 0, 0, ""}}}}));
  EXPECT_TRUE(library::decodeRequest(span(u32(1) + u32(0) + u32(0))).request.records.empty());
}

TEST(WizardRequest, HostileBytesAreErrors) {
  const std::string good = request_bytes::request(menuItemImport("image"));
  for (std::size_t length = 0; length < good.size(); ++length) {
    EXPECT_FALSE(library::decodeRequest(span(good.substr(0, length))).ok()) << length;
  }
  std::string wrongTag = request_bytes::request({0, "", {{5, {integer(1)}}}});
  wrongTag.replace(8 + 4 + 8 + 8, 4, u32(0x80000003));
  EXPECT_EQ(decodeError(wrongTag), "unknown type tag 0x80000003 at byte 28");
  std::string noNul = request_bytes::request({0, "", {{5, {text("ab")}}}});
  noNul.back() = 'c';
  EXPECT_EQ(decodeError(noNul), "text without its NUL at byte 32");
  std::string badMarker = request_bytes::request({0, "", {{5, {{ArgumentType::byteSet, 0, 0, "q"}}}}});
  badMarker.replace(32, 4, u32(2));
  EXPECT_EQ(decodeError(badMarker), "byte set without its marker at byte 32");
  std::string countPast = request_bytes::request({0, "", {{5, {integer(1)}}}});
  countPast.replace(16, 4, u32(2));
  EXPECT_EQ(decodeError(countPast), "argument count past the records' end at byte 16");
  EXPECT_EQ(decodeError(u32(0) + u32(0xFFFFFFF0) + "abc"), "payload past the block's end at byte 4");
  EXPECT_EQ(decodeError(u32(0) + u32(0) + u32(0x7FFFFFFF)), "command records past the block's end at byte 8");
  EXPECT_EQ(decodeError(u32(0) + u32(0) + u32(3) + std::string("\x05\x00\x00", 3)),
            "truncated command record at byte 12");
}

// Thousands of damaged requests: each is an error, or a request whose bytes, written again,
// are where it was read; under the sanitizers any read past the end stops the test.
TEST(WizardRequest, MutatedRequestsNeverCrashTheDecoder) {
  std::mt19937 random(20261207);
  auto below = [&](std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  WizardRequest sample = menuItemImport("CNWTEPRG payload");
  sample.records.push_back({7, {{ArgumentType::byteSet, 0, 0, "bytes"}, {ArgumentType::logical, 1, 0, {}}}});
  const std::string good = request_bytes::request(sample);
  int accepted = 0;
  for (int round = 0; round < 4000; ++round) {
    std::string bytes = good;
    for (std::size_t step = 0, steps = 1 + below(3); step < steps && !bytes.empty(); ++step) {
      std::size_t at = below(bytes.size());
      switch (below(4)) {
        case 0: bytes[at] = static_cast<char>(bytes[at] ^ (1 << below(8))); break;
        case 1:
          if (at + 4 <= bytes.size())
            bytes.replace(at, 4, u32(below(2) ? 0xFFFFFFFF : static_cast<std::uint32_t>(below(40))));
          break;
        case 2: bytes.resize(at); break;
        case 3: bytes.insert(at, below(6) + 1, static_cast<char>(below(2) ? 0 : random())); break;
      }
    }
    auto decoding = library::decodeRequest(span(bytes));
    if (!decoding.ok()) continue;
    ++accepted;
    std::string again = request_bytes::request(decoding.request);
    ASSERT_LE(again.size(), bytes.size());
    ASSERT_EQ(again, bytes.substr(0, again.size()));
  }
  EXPECT_GT(accepted, 0);
  EXPECT_LT(accepted, 4000);
}

TEST(StandInImport, AddsTheNamedDeclarationsOnceAndShowsThem) {
  const std::string image(library::libraryProgramImage());
  library::ProgramImage program = library::newProgram();
  WizardRequest request = menuItemImport(image);
  std::string reply = stand_in_ide::answerRequest(program, span(request_bytes::request(request)));
  EXPECT_EQ(reply, "已加入 2 个声明");
  ASSERT_EQ(program.dllCommands.size(), 1u);
  ASSERT_EQ(program.dataTypes.size(), 1u);
  std::string source = library::formatProgramSource(program);
  EXPECT_EQ(source.find(".版本 2\r\n\r\n.DLL命令 取菜单条目信息_, 逻辑型, \"user32.dll\", \"GetMenuItemInfoA\""), 0u);
  EXPECT_NE(source.find("\r\n\r\n.数据类型 菜单条目结构_, , MENUITEMINFOA"), std::string::npos);

  // Again, with a name the library lacks and an empty one: nothing twice.
  request.records.push_back(nameDeclaration(64, "没有的类型_"));
  request.records.push_back(nameDeclaration(64, ""));
  EXPECT_EQ(stand_in_ide::answerRequest(program, span(request_bytes::request(request))),
            "已加入 0 个声明，已有 2 个，未找到 2 个");
  EXPECT_EQ(library::formatProgramSource(program), source);
}

TEST(StandInImport, AddsThePayloadsConstantsWithTheDeclarations) {
  const std::vector<std::string_view> lines = {".常量 MIIM_STRING, \"64\", , winuser.h",
                                               ".常量 MIIM_FTYPE, \"256\", , winuser.h"};
  library::ImageWriting payload = library::addConstantsSection(library::libraryProgramImage(), lines);
  ASSERT_TRUE(payload.ok());
  library::ProgramImage program = library::newProgram();
  program.constants.push_back({"MIIM_FTYPE", std::string(lines[1]) + "\r\n"});
  WizardRequest request = menuItemImport(payload.bytes);
  EXPECT_EQ(stand_in_ide::answerRequest(program, span(request_bytes::request(request))), "已加入 3 个声明，已有 1 个");
  ASSERT_EQ(program.constants.size(), 2u);
  EXPECT_EQ(program.constants[1].source, std::string(lines[0]) + "\r\n");
}

TEST(StandInImport, AMalformedRequestChangesNothing) {
  const std::string image(library::libraryProgramImage());
  library::ProgramImage program = library::newProgram();
  auto replyTo = [&](const WizardRequest& request) {
    return stand_in_ide::answerRequest(program, span(request_bytes::request(request)));
  };
  WizardRequest wrongKind = menuItemImport(image);
  wrongKind.records.push_back(nameDeclaration(65, "矩形_"));
  EXPECT_EQ(replyTo(wrongKind), "请求有误：a code-6 record that does not name a DLL command or data type");
  WizardRequest wrongShape = menuItemImport(image);
  wrongShape.records[1].arguments.pop_back();
  EXPECT_EQ(replyTo(wrongShape), "请求有误：a code-6 record that does not name a DLL command or data type");
  EXPECT_EQ(replyTo(menuItemImport(image.substr(0, 100))).find("请求有误：payload: program image truncated"), 0u);
  EXPECT_EQ(stand_in_ide::answerRequest(program, span(u32(0) + u32(9))),
            "请求有误：request: payload past the block's end at byte 4");
  EXPECT_EQ(program, library::newProgram());
}

TEST(StandInCommandLine, TheRestAfterTheProgramNameIsOnePath) {
  struct Case {
    const wchar_t* line;
    bool wizard;
    const wchar_t* path;
  };
  const Case cases[] = {
      {L"e.exe", false, L""},
      {L"\"C:\\Program Files\\e\\e.exe\"", false, L""},
      {L"\"C:\\Program Files\\e\\e.exe\" /wizard", true, L""},
      {L"e.exe /wizard", true, L""},
      {L"e.exe  C:\\My Examples\\取窗口标题.e ", false, L"C:\\My Examples\\取窗口标题.e"},
      {L"\"C:\\e dir\\e.exe\"C:\\a b\\\"c\".e", false, L"C:\\a b\\\"c\".e"},
      {L"e.exe /wizard2", false, L"/wizard2"},
      {L"e.exe \"C:\\a b\\c.e\"", false, L"C:\\a b\\c.e"},
      {L"e.exe \"", false, L"\""},
      {L"\"C:\\unclosed e.exe /wizard", false, L""},
  };
  for (const Case& c : cases) {
    auto start = stand_in_ide::readCommandLine(c.line);
    EXPECT_EQ(start.runWizard, c.wizard) << c.line;
    EXPECT_EQ(start.programPath, c.path) << c.line;
  }
}

}  // namespace
