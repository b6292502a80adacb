// Chosen declarations as one E text: the blocks and their order, and that the text,
// read as a program, holds the very declarations that an import takes from the library.
#include "library/declaration_copy.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "library/builtin_data.h"
#include "library/catalog.h"
#include "library/constants.h"
#include "library/program_source.h"
#include "tests/shared_library.h"

namespace {

using gbk::Text;
using library::DeclarationKind;
using library::DeclarationName;

Text crlfLines(std::initializer_list<std::string_view> lines) {
  Text text;
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

DeclarationName command(std::string_view name) { return {DeclarationKind::dllCommand, Text(name)}; }
DeclarationName dataType(std::string_view name) { return {DeclarationKind::dataType, Text(name)}; }

// A small library in which a data type uses another, as generated structures do.
const Text kCommands = crlfLines({
    ".版本 2",
    "",
    ".DLL命令 画点_, 整数型, \"gdi32.dll\", \"SetPixel\", , 画一点",
    "    .参数 点, 点_, 传址, pt",
    "    .参数 区, 区域_, 传址, rc,MF_STRING或者MF_BITMAP",
    "",
    ".DLL命令 填充_, , \"gdi32.dll\", \"Fill\", , 填充区域",
    "    .参数 区, 区域_, 传址, rc",
    "    .参数 别的, 无此类型_, , x",
});
const Text kDataTypes = crlfLines({
    ".版本 2",
    "",
    ".数据类型 区域_, , AREA",
    "    .成员 左上, 点_, , , topLeft",
    "    .成员 宽度, 整数型, , , width",
    "",
    ".数据类型 点_, , POINT",
    "    .成员 横, 整数型, , , x,SW_*",
    "",
    ".数据类型 独立_, , LONE",
    "    .成员 值, 整数型, , , value",
});

// SW_* names SW_SHOW and SW_HIDE; MF_OTHER and INFINITE are named by nothing.
const library::ConstantLibrary kConstants(crlfLines({
    ".版本 2",
    "",
    ".常量 MF_OTHER, \"9\", , other.h",
    ".常量 SW_SHOW, \"5\", , winuser.h",
    ".常量 MF_STRING, \"0\", , winuser.h",
    ".常量 MF_BITMAP, \"4\", , winuser.h",
    ".常量 INFINITE, \"-1\", , winbase.h",
    ".常量 SW_HIDE, \"0\", , winuser.h",
}));

TEST(DeclarationCopy, CommandsInTheirOrderThenEachDataTypeOnceAfterThoseItUsesThenTheirConstants) {
  std::vector<DeclarationName> chosen = {command("填充_"), dataType("独立_"),    command("画点_"),
                                         command("填充_"), command("无此命令_"), dataType("点_")};
  library::DeclarationCopy copy = library::composeDeclarationCopy({kCommands, kDataTypes}, &kConstants, chosen);
  EXPECT_EQ(copy.text, crlfLines({
                           ".版本 2",
                           "",
                           ".DLL命令 填充_, , \"gdi32.dll\", \"Fill\", , 填充区域",
                           "    .参数 区, 区域_, 传址, rc",
                           "    .参数 别的, 无此类型_, , x",
                           "",
                           ".DLL命令 画点_, 整数型, \"gdi32.dll\", \"SetPixel\", , 画一点",
                           "    .参数 点, 点_, 传址, pt",
                           "    .参数 区, 区域_, 传址, rc,MF_STRING或者MF_BITMAP",
                           "",
                           ".数据类型 点_, , POINT",
                           "    .成员 横, 整数型, , , x,SW_*",
                           "",
                           ".数据类型 区域_, , AREA",
                           "    .成员 左上, 点_, , , topLeft",
                           "    .成员 宽度, 整数型, , , width",
                           "",
                           ".数据类型 独立_, , LONE",
                           "    .成员 值, 整数型, , , value",
                           "",
                           ".常量 SW_SHOW, \"5\", , winuser.h",
                           ".常量 MF_STRING, \"0\", , winuser.h",
                           ".常量 MF_BITMAP, \"4\", , winuser.h",
                           ".常量 SW_HIDE, \"0\", , winuser.h",
                       }));
  EXPECT_EQ(copy.dllCommands, 2);
  EXPECT_EQ(copy.dataTypes, 3);
  EXPECT_EQ(copy.constantLines.size(), 4u);

  library::DeclarationCopy none = library::composeDeclarationCopy({kCommands, kDataTypes}, &kConstants, {});
  EXPECT_EQ(none.text, crlfLines({".版本 2"}));
  EXPECT_EQ(none.dllCommands + none.dataTypes, 0);
  EXPECT_TRUE(none.constantLines.empty());
}

// Every command of the catalog and every data type, copied at once and read back as a
// program: each declaration is the library image's own, byte for byte, which is what
// an import hands the IDE, and each constant is the constant library's line.
TEST(DeclarationCopy, ReadAsAProgramGivesTheLibraryImagesDeclarations) {
  library::Catalog catalog(library::apiCatalogText());
  std::vector<DeclarationName> chosen;
  for (std::int32_t n = 1; n <= catalog.size(); ++n) {
    if (const library::CatalogEntry* entry = catalog.entry(n)) chosen.push_back(command(entry->chineseName));
  }
  library::ImageReading image = library::readProgramImage(library::libraryProgramImage());
  ASSERT_TRUE(image.ok());
  for (const library::ImageDeclaration& declaration : image.image.dataTypes)
    chosen.push_back(dataType(declaration.name));

  library::DeclarationCopy copy =
      library::composeDeclarationCopy(sharedLibrary().texts, &sharedLibrary().constants, chosen);
  library::ProgramSourceParsing pasted = library::parseProgramSource(copy.text);
  ASSERT_TRUE(pasted.ok()) << pasted.error.line << ": " << pasted.error.reason;
  EXPECT_EQ(pasted.program.dllCommands.size(), image.image.dllCommands.size());
  EXPECT_EQ(pasted.program.dataTypes.size(), image.image.dataTypes.size());
  EXPECT_EQ(copy.dllCommands, static_cast<int>(image.image.dllCommands.size()));
  EXPECT_EQ(copy.dataTypes, static_cast<int>(image.image.dataTypes.size()));
  for (const auto* kind : {&pasted.program.dllCommands, &pasted.program.dataTypes}) {
    for (const library::ImageDeclaration& declaration : *kind) {
      DeclarationKind which =
          kind == &pasted.program.dllCommands ? DeclarationKind::dllCommand : DeclarationKind::dataType;
      const library::ImageDeclaration* imported = library::findDeclaration(image.image, which, declaration.name);
      ASSERT_NE(imported, nullptr) << declaration.name;
      EXPECT_EQ(declaration.source, imported->source) << declaration.name;
    }
  }
  library::ConstantLibrary constants(library::constantLibraryText());
  EXPECT_EQ(pasted.program.constants.size(), copy.constantLines.size());
  EXPECT_FALSE(copy.constantLines.empty());
  for (const library::ImageDeclaration& pastedConstant : pasted.program.constants) {
    const library::Constant* constant = constants.find(pastedConstant.name);
    ASSERT_NE(constant, nullptr) << pastedConstant.name;
    EXPECT_EQ(pastedConstant.source, std::string(constant->line) + "\r\n");
  }
}

}  // namespace
