#include "library/program_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "base/gbk_codec.h"
#include "base/gbk_text.h"
#include "library/builtin_data.h"
#include "library/catalog.h"

namespace {

using library::DeclarationKind;
using library::ImageFault;
using library::ProgramImage;

const char kCommandA[] =
    ".DLL命令 取消路径_, 整数型, \"gdi32.dll\", \"AbortPath\", , 非零表示成功，零表示失败\r\n"
    "    .参数 设备场景句柄, 整数型, , hdc,设备场景的句柄\r\n";
const char kCommandB[] =
    ".DLL命令 比较文件时间_, 整数型, \"kernel32.dll\", \"CompareFileTime\", , \r\n"
    "    .参数 欲比较时间1, 文件时间_, 传址, lpFileTime1，欲比较时间1\r\n"
    "    .参数 欲比较时间2, 文件时间_, 传址, lpFileTime2，欲比较时间2\r\n";
const char kTypeA[] =
    ".数据类型 尺寸_, , SIZE\r\n"
    "    .成员 宽度, 整数型, , , width\r\n"
    "    .成员 高度, 整数型, , , height\r\n";
const char kTypeB[] = ".数据类型 文件时间_, , FILETIME,size = 8\r\n    .成员 低位时间, 整数型, , , dwLowDateTime,\r\n";
const char kSetA[] =
    ".程序集 窗口程序集_启动窗口\r\n"
    "\r\n"
    ".子程序 _按钮1_被单击\r\n"
    "\r\n"
    "信息框 (“你好”, 0, , )\r\n";
const char kSetB[] = ".程序集 工具集, , , 公开\r\n.程序集变量 计数, 整数型\r\n";

// Declarations deliberately out of name order: the writer sorts them. Program sets keep
// their order, which is also not that of their names.
ProgramImage smallImage() {
  ProgramImage image = library::newProgram();
  image.programSets = {{"窗口程序集_启动窗口", kSetA}, {"工具集", kSetB}};
  image.dataTypes = {{"文件时间_", kTypeB}, {"尺寸_", kTypeA}};
  image.dllCommands = {{"取消路径_", kCommandA}, {"比较文件时间_", kCommandB}};
  return image;
}

std::string smallImageBytes() {
  auto writing = library::writeProgramImage(smallImage());
  EXPECT_TRUE(writing.ok()) << library::describe(writing.error);
  return writing.bytes;
}

std::uint32_t u32At(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
  return value;
}

void setU32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

std::string u32(std::uint32_t value) {
  std::string bytes(4, '\0');
  setU32(bytes, 0, value);
  return bytes;
}

// Offsets of the section records of a well-formed image.
std::vector<std::size_t> sectionOffsets(const std::string& bytes) {
  std::vector<std::size_t> offsets;
  std::size_t at = 16;
  for (std::uint32_t i = 0; i < u32At(bytes, 12); ++i) {
    offsets.push_back(at);
    at += 8 + u32At(bytes, at + 4);
  }
  return offsets;
}

// What the reader accepts, the writer writes again, and that reads back the same.
// Returns whether the reader accepted the bytes.
bool expectConsistentReading(const std::string& bytes) {
  auto reading = library::readProgramImage(bytes);
  if (!reading.ok()) {
    EXPECT_LE(reading.error.offset, bytes.size()) << library::describe(reading.error);
    return false;
  }
  auto writing = library::writeProgramImage(reading.image);
  EXPECT_TRUE(writing.ok()) << library::describe(writing.error);
  auto again = library::readProgramImage(writing.bytes);
  EXPECT_TRUE(again.ok()) << library::describe(again.error);
  EXPECT_EQ(again.image, reading.image);
  return true;
}

TEST(ProgramImageFormat, WritesTheDocumentedLayout) {
  ProgramImage image;
  image.languageVersion = 2;
  image.supportLibraries = {"K"};
  image.windows = {"W"};
  image.programSets = {{"P", ".程序集 P\r\n"}};      // source of 11 bytes
  image.dataTypes = {{"T", ".数据类型 T, , \r\n"}};  // source of 17 bytes
  auto writing = library::writeProgramImage(image);
  ASSERT_TRUE(writing.ok());
  const std::string expected = std::string("CNWTEPRG") + u32(1) + u32(6) +   //
                               u32(1) + u32(4) + u32(2) +                    // language version
                               u32(2) + u32(9) + u32(1) + u32(1) + "\x20" +  // "K" ^ 0x6B
                               u32(3) + u32(9) + u32(1) + u32(1) + "\x3C" +  // "W" ^ 0x6B
                               u32(4) + u32(24) + u32(1) + u32(1) + "\x3B" + u32(11) + ".程序集 P\r\n" + u32(64) +
                               u32(30) + u32(1) + u32(1) + "\x3F" + u32(17) + ".数据类型 T, , \r\n" + u32(256) +
                               u32(4) + u32(0);
  EXPECT_EQ(writing.bytes, expected);
}

// Constants are a later section: written only when the program has some, after the
// program sets, in name order, each one line; older files without it read as before.
TEST(ProgramImageFormat, ConstantsAreAnOptionalSectionOfOneLineEach) {
  ProgramImage image = smallImage();
  const std::string withoutConstants = smallImageBytes();
  image.constants = {{"乙", ".常量 乙, \"2\", , \r\n"}, {"MIIM_STRING", ".常量 MIIM_STRING, \"64\", , WinUser.h\r\n"}};
  auto writing = library::writeProgramImage(image);
  ASSERT_TRUE(writing.ok()) << library::describe(writing.error);
  EXPECT_EQ(u32At(writing.bytes, 12), 7u);
  std::vector<std::size_t> sections = sectionOffsets(writing.bytes);
  EXPECT_EQ(u32At(writing.bytes, sections[4]), 5u);
  auto reading = library::readProgramImage(writing.bytes);
  ASSERT_TRUE(reading.ok()) << library::describe(reading.error);
  ASSERT_EQ(reading.image.constants.size(), 2u);
  EXPECT_EQ(reading.image.constants[0], image.constants[1]);
  EXPECT_EQ(reading.image.constants[1], image.constants[0]);
  EXPECT_TRUE(expectConsistentReading(writing.bytes));

  auto old = library::readProgramImage(withoutConstants);
  ASSERT_TRUE(old.ok());
  EXPECT_TRUE(old.image.constants.empty());
  EXPECT_EQ(u32At(withoutConstants, 12), 6u);

  image.constants = {{"乙", ".常量 乙, \"2\"\r\n    .成员 甲\r\n"}};
  EXPECT_EQ(library::writeProgramImage(image).error.fault, ImageFault::sourceDoesNotMatchName);
  image.constants = {{"乙", ".常量 乙, \"2\""}};
  EXPECT_EQ(library::writeProgramImage(image).error.fault, ImageFault::sourceDoesNotMatchName);
}

TEST(ProgramImageFormat, SmallImageRoundTripsWithDeclarationsSortedByName) {
  auto reading = library::readProgramImage(smallImageBytes());
  ASSERT_TRUE(reading.ok()) << library::describe(reading.error);
  ProgramImage expected = smallImage();
  auto byName = [](const auto& a, const auto& b) { return a.name < b.name; };
  std::sort(expected.dataTypes.begin(), expected.dataTypes.end(), byName);
  std::sort(expected.dllCommands.begin(), expected.dllCommands.end(), byName);
  EXPECT_EQ(reading.image, expected);

  const auto* found = library::findDeclaration(reading.image, DeclarationKind::dllCommand, "比较文件时间_");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->source, kCommandB);
  EXPECT_EQ(library::findDeclaration(reading.image, DeclarationKind::dataType, "比较文件时间_"), nullptr);
  EXPECT_EQ(library::findDeclaration(reading.image, DeclarationKind::dataType, "尺寸"), nullptr);
  EXPECT_EQ(library::findDeclaration(reading.image, DeclarationKind::dataType, ""), nullptr);
}

TEST(ProgramImageFormat, WriterRefusesWhatTheReaderWouldReject) {
  auto faultOf = [](ProgramImage image) { return library::writeProgramImage(image).error.fault; };
  ProgramImage twice = smallImage();
  twice.dataTypes.push_back(twice.dataTypes.front());
  EXPECT_EQ(faultOf(twice), ImageFault::duplicateName);
  ProgramImage unnamed = smallImage();
  unnamed.windows.push_back("");
  EXPECT_EQ(faultOf(unnamed), ImageFault::emptyName);
  ProgramImage misnamed = smallImage();
  misnamed.dllCommands[0].name = "取消";  // a prefix of the real name
  EXPECT_EQ(faultOf(misnamed), ImageFault::sourceDoesNotMatchName);
  ProgramImage wrongKind = smallImage();
  wrongKind.dataTypes.push_back({"取消路径_", kCommandA});
  EXPECT_EQ(faultOf(wrongKind), ImageFault::sourceDoesNotMatchName);
  for (const char* source : {".程序集 工具集", ".程序集 工具集甲\r\n", ".程序集 工具\r\n", ".子程序 工具集\r\n"}) {
    ProgramImage badSet = smallImage();
    badSet.programSets[1].source = source;
    EXPECT_EQ(faultOf(badSet), ImageFault::sourceDoesNotMatchName) << gbk::toUtf8(source);
  }
}

// A later format's sections come back, unchanged, when the program is written again.
TEST(ProgramImageFormat, KeepsTheSectionsOfALaterFormat) {
  std::string bytes = smallImageBytes() + u32(4096) + u32(5) + "later" + u32(7) + u32(0);
  setU32(bytes, 12, 8);
  auto reading = library::readProgramImage(bytes);
  ASSERT_TRUE(reading.ok()) << library::describe(reading.error);
  EXPECT_EQ(reading.image.laterSections, (std::vector<library::LaterSection>{{4096, "later"}, {7, ""}}));
  EXPECT_EQ(library::writeProgramImage(reading.image).bytes, bytes);

  ProgramImage clash = smallImage();
  clash.laterSections = {{static_cast<std::uint32_t>(library::ImageSection::constants), "x"}};
  EXPECT_EQ(library::writeProgramImage(clash).error.fault, ImageFault::duplicateSection);
}

std::string withNameKey(std::string name) {
  for (char& c : name) c = static_cast<char>(c ^ 0x6B);
  return name;
}

// A name that would come back as another (cut at a comma or a NUL), and two program sets
// of one name, are refused by the reader and the writer alike.
TEST(ProgramImageFormat, RefusesNamesThatWouldNotComeBack) {
  const std::string bytes = smallImageBytes();
  std::vector<std::size_t> sections = sectionOffsets(bytes);
  for (char bad : {',', '\0', '\r'}) {
    std::string damaged = bytes;
    damaged[sections[2] + 16] = static_cast<char>(bad ^ 0x6B);  // the first byte of the window's name
    EXPECT_EQ(library::readProgramImage(damaged).error.fault, ImageFault::badName) << int{bad};
    ProgramImage image = smallImage();
    image.windows[0][0] = bad;
    EXPECT_EQ(library::writeProgramImage(image).error.fault, ImageFault::badName) << int{bad};
  }
  // The header line stands as the name has it: only the name's own rule refuses it.
  ProgramImage commaName = smallImage();
  commaName.dllCommands = {{"取消,路径_", ".DLL命令 取消,路径_, 整数型\r\n"}};
  EXPECT_EQ(library::writeProgramImage(commaName).error.fault, ImageFault::badName);
  std::string damaged = smallImageBytes();
  std::size_t name = damaged.find(withNameKey("取消路径_"));
  std::size_t header = damaged.find(".DLL命令 取消路径_");
  damaged[name + 4] = static_cast<char>(',' ^ 0x6B);
  damaged[header + std::string(".DLL命令 取消").size()] = ',';
  EXPECT_EQ(library::readProgramImage(damaged).error.fault, ImageFault::badName);

  ProgramImage twoSets = library::newProgram();
  twoSets.programSets = {{"甲", ".程序集 甲\r\n"}, {"乙", ".程序集 乙\r\n"}};
  std::string twice = library::writeProgramImage(twoSets).bytes;
  twice.replace(twice.find(withNameKey("乙")), 2, withNameKey("甲"));
  twice.replace(twice.find(".程序集 乙"), std::string(".程序集 乙").size(), ".程序集 甲");
  auto reading = library::readProgramImage(twice);
  EXPECT_EQ(reading.error.fault, ImageFault::duplicateName);
  EXPECT_EQ(reading.error.name, "甲");
  twoSets.programSets[1] = twoSets.programSets[0];
  EXPECT_EQ(library::writeProgramImage(twoSets).error.fault, ImageFault::duplicateName);
}

TEST(ProgramImageFormat, BuildsFromLibraryTextsAndRefusesBadLayouts) {
  std::string dllText = std::string(".版本 2\r\n\r\n") + kCommandA + "\r\n" + kCommandB;
  std::string typeText = std::string(".版本 2\r\n\r\n") + kTypeA + "\r\n" + kTypeB;
  auto built = library::buildLibraryProgramImage(dllText, typeText);
  ASSERT_TRUE(built.ok()) << library::describe(built.error);
  ProgramImage declarationsOnly = smallImage();
  declarationsOnly.programSets.clear();
  EXPECT_EQ(built.bytes, library::writeProgramImage(declarationsOnly).bytes);

  auto faultAt = [&](const std::string& dll, const std::string& types) {
    auto error = library::buildLibraryProgramImage(dll, types).error;
    EXPECT_EQ(error.fault, ImageFault::badLibraryText);
    return error.offset;
  };
  EXPECT_EQ(faultAt(std::string(kCommandA), typeText), 0u);                  // no version line
  EXPECT_EQ(faultAt(".版本 2\r\n" + std::string(kCommandA), typeText), 7u);  // no empty line
  EXPECT_EQ(faultAt(dllText + "\r\n", typeText), dllText.size());            // empty line at the end
  EXPECT_EQ(faultAt(std::string(".版本 2\r\n\r\n") + kCommandA + "\r\n\r\n" + kCommandB, typeText),
            11u + std::string(kCommandA).size() + 2);                        // two empty lines
  EXPECT_EQ(faultAt(dllText, ".版本 2\r\n\r\n.数据类型 尺寸_\r\n"), 11u);    // no comma in the header
  EXPECT_EQ(faultAt(dllText, ".版本 3\r\n\r\n" + std::string(kTypeA)), 0u);  // versions differ
  EXPECT_EQ(library::buildLibraryProgramImage(dllText, dllText).error.fault, ImageFault::badLibraryText);
}

// Blocks counted in the text: each begins a line with its keyword.
std::size_t countBlocks(std::string_view text, std::string_view keyword) {
  std::size_t count = 0;
  std::string marker = "\r\n" + std::string(keyword);
  for (auto at = text.find(marker); at != std::string_view::npos; at = text.find(marker, at + 1)) ++count;
  return count;
}

void expectEveryBlockOfTheText(const std::vector<library::ImageDeclaration>& declarations, std::string_view text,
                               std::string_view keyword) {
  EXPECT_EQ(declarations.size(), countBlocks(text, keyword));
  std::size_t bytes = text.find("\r\n\r\n") + 4;  // the version line and the empty line
  for (const auto& declaration : declarations) {
    std::string header = "\r\n" + std::string(keyword) + declaration.name + ",";
    auto at = text.find(header);
    ASSERT_NE(at, std::string_view::npos) << gbk::toUtf8(declaration.name);
    std::string_view block = text.substr(at + 2, declaration.source.size());
    std::string_view after = text.substr(at + 2 + block.size());
    EXPECT_EQ(block, declaration.source) << gbk::toUtf8(declaration.name);
    EXPECT_TRUE(after.empty() || after.substr(0, 2 + keyword.size()) == "\r\n" + std::string(keyword))
        << gbk::toUtf8(declaration.name) << " ends early";
    bytes += declaration.source.size();
  }
  // Together with the separating empty lines the blocks make up the whole text.
  EXPECT_EQ(bytes + 2 * (declarations.size() - 1), text.size());
}

TEST(BuiltinProgramImage, HoldsEveryBlockOfBothTexts) {
  std::string_view image = library::libraryProgramImage();
  EXPECT_EQ(image.substr(0, 8), "CNWTEPRG");
  auto reading = library::readProgramImage(image);
  ASSERT_TRUE(reading.ok()) << library::describe(reading.error);
  EXPECT_EQ(reading.image.windows, std::vector<std::string>{"_启动窗口"});
  EXPECT_EQ(reading.image.supportLibraries, std::vector<std::string>{"系统核心支持库"});
  EXPECT_EQ(reading.image.languageVersion, 2u);
  EXPECT_TRUE(reading.image.programSets.empty());
  expectEveryBlockOfTheText(reading.image.dllCommands, library::dllCommandLibraryText(), ".DLL命令 ");
  expectEveryBlockOfTheText(reading.image.dataTypes, library::dataTypeLibraryText(), ".数据类型 ");

  auto rebuilt = library::buildLibraryProgramImage(library::dllCommandLibraryText(), library::dataTypeLibraryText());
  EXPECT_EQ(rebuilt.bytes, image) << "the embedded image is not that of the embedded texts";
}

TEST(BuiltinProgramImage, FindsEveryCommandOfTheCatalog) {
  auto reading = library::readProgramImage(library::libraryProgramImage());
  ASSERT_TRUE(reading.ok());
  library::Catalog catalog(library::apiCatalogText());
  for (std::int32_t n = 1; n <= catalog.size(); ++n) {
    const library::CatalogEntry* entry = catalog.entry(n);
    ASSERT_NE(entry, nullptr) << n;
    const auto* found = library::findDeclaration(reading.image, DeclarationKind::dllCommand, entry->chineseName);
    ASSERT_NE(found, nullptr) << gbk::toUtf8(entry->line);
    EXPECT_EQ(found->name, entry->chineseName);
  }
  EXPECT_EQ(static_cast<std::size_t>(catalog.size()), reading.image.dllCommands.size());
}

TEST(DamagedProgramImage, EveryTruncationIsAnError) {
  std::string bytes = smallImageBytes();
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    auto reading = library::readProgramImage(std::string_view(bytes).substr(0, length));
    ASSERT_FALSE(reading.ok()) << length;
    EXPECT_LE(reading.error.offset, length);
    EXPECT_EQ(reading.error.fault, length < 8 ? ImageFault::notAnImage : ImageFault::truncated) << length;
  }
  std::string_view builtin = library::libraryProgramImage();
  for (std::size_t length = 0; length < builtin.size(); length += 997) {
    EXPECT_FALSE(library::readProgramImage(builtin.substr(0, length)).ok()) << length;
  }
  EXPECT_FALSE(library::readProgramImage(builtin.substr(0, builtin.size() - 1)).ok());
}

TEST(DamagedProgramImage, WrongLengthsAndCountsAreErrors) {
  const std::string bytes = smallImageBytes();
  std::vector<std::size_t> fields = {12};  // the section count
  for (std::size_t section : sectionOffsets(bytes)) {
    fields.push_back(section + 4);  // its length
    if (u32At(bytes, section) == 1) continue;
    fields.push_back(section + 8);                                      // its count
    if (u32At(bytes, section + 8) > 0) fields.push_back(section + 12);  // its first name's length
  }
  for (std::size_t field : fields) {
    std::uint32_t right = u32At(bytes, field);
    for (std::uint32_t wrong : {right + 1, right - 1, right + 8, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
      if (wrong == right) continue;
      std::string damaged = bytes;
      setU32(damaged, field, wrong);
      auto reading = library::readProgramImage(damaged);
      EXPECT_FALSE(reading.ok()) << "field at " << field << " = " << wrong;
      EXPECT_LE(reading.error.offset, damaged.size());
    }
  }
}

TEST(DamagedProgramImage, EachFaultIsNamed) {
  const std::string bytes = smallImageBytes();
  auto faultOf = [](const std::string& damaged) { return library::readProgramImage(damaged).error.fault; };
  std::vector<std::size_t> sections = sectionOffsets(bytes);
  std::string programSection = bytes.substr(sections[0], 12);

  std::string damaged = bytes;
  damaged[0] = 'c';
  EXPECT_EQ(faultOf(damaged), ImageFault::notAnImage);
  damaged = bytes;
  setU32(damaged, 8, 2);
  EXPECT_EQ(faultOf(damaged), ImageFault::unsupportedFormat);
  EXPECT_EQ(faultOf(bytes + '\0'), ImageFault::trailingBytes);

  damaged = bytes + programSection;
  setU32(damaged, 12, 7);
  EXPECT_EQ(faultOf(damaged), ImageFault::duplicateSection);
  damaged = bytes + u32(7) + u32(3) + "new";  // a section of a later format
  setU32(damaged, 12, 7);
  EXPECT_EQ(faultOf(damaged), ImageFault::none);
  for (std::size_t missing = 1; missing < sections.size(); ++missing) {
    std::size_t end = missing + 1 < sections.size() ? sections[missing + 1] : bytes.size();
    damaged = bytes.substr(0, sections[missing]) + bytes.substr(end);
    setU32(damaged, 12, 5);
    EXPECT_EQ(faultOf(damaged), ImageFault::missingSection) << missing;
  }

  damaged = bytes;  // one byte more in the program section than it reads
  setU32(damaged, sections[0] + 4, 5);
  damaged.insert(sections[0] + 12, 1, '\0');
  EXPECT_EQ(faultOf(damaged), ImageFault::sectionLengthMismatch);

  // The data type section holds 尺寸_ before 文件时间_; swap their records.
  std::size_t first = sections[4] + 12;
  std::size_t second = first + 4 + u32At(bytes, first);
  second += 4 + u32At(bytes, second);
  damaged = bytes.substr(0, first) + bytes.substr(second, sections[5] - second) + bytes.substr(first, second - first) +
            bytes.substr(sections[5]);
  EXPECT_EQ(faultOf(damaged), ImageFault::namesOutOfOrder);
  damaged = bytes;
  damaged[first + 4] ^= 1;  // the first byte of the name 尺寸_
  EXPECT_EQ(faultOf(damaged), ImageFault::sourceDoesNotMatchName);
}

// Thousands of damaged images: each is an error or an image that writes and reads back
// the same; under the sanitizers any read past the end stops the test.
TEST(DamagedProgramImage, MutatedImagesNeverCrashTheReader) {
  std::mt19937 random(20240607);
  auto below = [&](std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  const std::string small = smallImageBytes();
  const std::string builtin(library::libraryProgramImage());
  int accepted = 0;
  int rejected = 0;
  for (int round = 0; round < 4000; ++round) {
    std::string bytes = round % 20 == 0 ? builtin : small;
    for (std::size_t step = 0, steps = 1 + below(3); step < steps && !bytes.empty(); ++step) {
      std::size_t at = below(bytes.size());
      switch (below(6)) {
        case 0:  // a bit flipped
          bytes[at] = static_cast<char>(bytes[at] ^ (1 << below(8)));
          break;
        case 1: {  // a field overwritten, or nudged
          const std::uint32_t values[] = {0, 1, 0x7FFFFFFF, 0xFFFFFFFF, static_cast<std::uint32_t>(random())};
          if (at + 4 > bytes.size()) break;
          setU32(bytes, at, below(2) ? values[below(5)] : u32At(bytes, at) + static_cast<std::uint32_t>(below(17)) - 8);
          break;
        }
        case 2: bytes.resize(at); break;
        case 3: bytes.insert(at, below(8) + 1, static_cast<char>(random())); break;
        case 4: bytes.erase(at, below(16) + 1); break;
        case 5:  // a stretch repeated elsewhere
          bytes.insert(below(bytes.size()), bytes.substr(at, below(32) + 1));
          break;
      }
    }
    (expectConsistentReading(bytes) ? accepted : rejected) += 1;
    if (HasFailure()) return;
  }
  // Both outcomes occur, so both halves of the property were exercised.
  EXPECT_GT(accepted, 0);
  EXPECT_GT(rejected, 0);
}

TEST(ProgramImage, AConstantsSectionAddedToAnImageReadsBackSorted) {
  library::ProgramImage image = library::newProgram();
  image.dllCommands.push_back({"甲_", ".DLL命令 甲_, , , \"A\", , \r\n"});
  const std::string bytes = library::writeProgramImage(image).bytes;
  const std::vector<std::string_view> lines = {".常量 B_X, \"2\", , b.h", ".常量 A_X, \"1\", , a.h"};
  library::ImageWriting added = library::addConstantsSection(bytes, lines);
  ASSERT_TRUE(added.ok());
  library::ImageReading reading = library::readProgramImage(added.bytes);
  ASSERT_TRUE(reading.ok()) << library::describe(reading.error);
  image.constants = {{"A_X", ".常量 A_X, \"1\", , a.h\r\n"}, {"B_X", ".常量 B_X, \"2\", , b.h\r\n"}};
  EXPECT_EQ(reading.image, image);
  EXPECT_EQ(library::addConstantsSection(bytes, {}).bytes, bytes);
  // What is no image, or a line that is no constant, adds nothing.
  EXPECT_EQ(library::addConstantsSection(bytes.substr(0, 15), lines).error.fault, library::ImageFault::notAnImage);
  const std::vector<std::string_view> bad = {".常量 A_X\r\n, \"1\", , a.h"};
  EXPECT_FALSE(library::addConstantsSection(bytes, bad).ok());
}

}  // namespace
