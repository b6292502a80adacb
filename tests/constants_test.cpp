#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/builtin_data.h"
#include "library/constants.h"
#include "tools/data_validator.h"

namespace {

// Two families of winuser.h, MF_ of another header, and constants that are their own family.
constexpr std::string_view kLibrary =
    ".版本 2\r\n\r\n"
    ".常量 MF_STRING, \"0\", , winuser.h\r\n"
    ".常量 MIIM_STATE, \"1\", , winuser.h\r\n"
    ".常量 MF_BITMAP, \"4\", , winuser.h\r\n"
    ".常量 MIIM_STRING, \"64\", , winuser.h\r\n"
    ".常量 MF_OTHER, \"9\", , other.h\r\n"
    ".常量 S_OK, \"0\", , winerror.h\r\n"
    ".常量 S_FALSE, \"1\", , winerror.h\r\n"
    ".常量 INFINITE, \"-1\", , winbase.h 0xFFFFFFFF\r\n";

std::vector<std::string> names(const std::vector<const library::Constant*>& constants) {
  std::vector<std::string> out;
  for (const library::Constant* constant : constants) out.emplace_back(constant->name);
  return out;
}

using Names = std::vector<std::string>;

TEST(ConstantLibrary, ReadsEachConstantLineIntoItsFields) {
  library::ConstantLibrary constants(kLibrary);
  EXPECT_EQ(constants.size(), 8u);
  const library::Constant* infinite = constants.find("INFINITE");
  ASSERT_NE(infinite, nullptr);
  EXPECT_EQ(infinite->value, "-1");
  EXPECT_EQ(infinite->comment, "winbase.h 0xFFFFFFFF");
  EXPECT_EQ(infinite->line, ".常量 INFINITE, \"-1\", , winbase.h 0xFFFFFFFF");
  EXPECT_EQ(constants.find("infinite"), nullptr);
  EXPECT_EQ(constants.find("INFINIT"), nullptr);
}

TEST(ConstantLibrary, PassesOverLinesOfAnotherShapeAndRepeatedNames) {
  library::ConstantLibrary constants(
      ".常量 A_B, \"1\", , x.h\r\n.常量 A_B, \"2\", , x.h\r\n.常量 , \"3\", , x.h\r\n.常量 C D, \"4\", , x.h\r\n"
      ".常量 E_F, \"5\"\r\n.常量 G_H, \"6, , x.h\r\n.参数 I_J, \"7\", , x.h\r\n.常量 K_L, \"8\", , x.h");
  EXPECT_EQ(names(constants.namedIn("A_B C D E_F G_H I_J K_L")), (Names{"A_B", "K_L"}));
  EXPECT_EQ(constants.find("A_B")->value, "1");
}

TEST(ConstantLibrary, NamesEachWholeWordAndEachFamilyOnceInLibraryOrder) {
  library::ConstantLibrary constants(kLibrary);
  // A name names that constant alone, however its family is called.
  EXPECT_EQ(names(constants.namedIn("MIIM_STRING | MIIM_STRING，MF_BITMAP")), (Names{"MF_BITMAP", "MIIM_STRING"}));
  // A family is what its names begin with, an "_" and then "*": of any header.
  EXPECT_EQ(names(constants.namedIn("MF_*、S_*，MIIM_STRING")),
            (Names{"MF_STRING", "MF_BITMAP", "MIIM_STRING", "MF_OTHER", "S_OK", "S_FALSE"}));
  EXPECT_EQ(names(constants.namedIn("MIIM_STR*")), (Names{}));  // no "_" before the "*"
  EXPECT_EQ(names(constants.namedIn("MF_ *")), (Names{}));
  // Words that only hold a name, or that are held in one, name nothing.
  EXPECT_TRUE(constants.namedIn("MF_STRINGS xMIIM_STATE INFINITE_ _INFINITE 0S_OK XMF_*").empty());
  EXPECT_TRUE(constants.namedIn("").empty());
}

TEST(ConstantLibrary, TakenByTheLineThatFirstNamesEachConstant) {
  library::ConstantLibrary constants(kLibrary);
  const std::string text = ".DLL命令 甲_, , , \"A\", , 返回 S_OK\r\n    .参数 乙, 整数型, , b,MF_*\r\n"
                           "    .参数 丙, 整数型, , c,S_OK 或 MF_BITMAP 或 INFINITE";
  std::vector<std::pair<std::string, std::string>> taken;
  for (const auto& [constant, line] : constants.takenBy(text)) {
    taken.emplace_back(constant->name, line.substr(0, line.find(',')));
  }
  using Taken = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(taken, (Taken{{"S_OK", ".DLL命令 甲_"},
                          {"MF_STRING", "    .参数 乙"},
                          {"MF_BITMAP", "    .参数 乙"},
                          {"MF_OTHER", "    .参数 乙"},
                          {"INFINITE", "    .参数 丙"}}));
}

TEST(ConstantLibrary, WalksTheTextByGbkCharacters) {
  library::ConstantLibrary constants(kLibrary);
  // 閘 is E9 6C and 長 E9 4C: their trail bytes are "l" and "L", which no word begins with.
  EXPECT_EQ(names(constants.namedIn("閘S_OK長INFINITE")), (Names{"S_OK", "INFINITE"}));
  // A lead byte at the very end stands alone.
  EXPECT_EQ(names(constants.namedIn("S_OK\xE9")), (Names{"S_OK"}));
}

TEST(ConstantLibrary, BuiltInLibraryCarriesTheNamedConstantsWithTheirValues) {
  std::string_view text = library::constantLibraryText();
  ASSERT_TRUE(text.starts_with(".版本 2\r\n\r\n.常量 "));
  EXPECT_TRUE(library::validateConstantLibrary(text).empty());
  library::ConstantLibrary constants(text);
  std::size_t lines = 0;
  for (std::size_t pos = text.find("\r\n.常量 "); pos != std::string_view::npos;
       pos = text.find("\r\n.常量 ", pos + 2)) {
    ++lines;
  }
  EXPECT_EQ(constants.size(), lines);
  const library::Constant* string = constants.find("MIIM_STRING");
  ASSERT_NE(string, nullptr);
  EXPECT_EQ(string->line, ".常量 MIIM_STRING, \"64\", , winuser.h");
  // Unsigned 32-bit values as E's 整数型 holds them; a pointer made from a number as that number.
  for (auto [name, value] : {std::pair{"INVALID_FILE_SIZE", "-1"}, {"IDC_ARROW", "32512"}}) {
    const library::Constant* constant = constants.find(name);
    ASSERT_NE(constant, nullptr) << name;
    EXPECT_EQ(constant->value, value);
  }
  EXPECT_EQ(names(constants.namedIn("fMask,MIIM_STRING 等")), (Names{"MIIM_STRING"}));
}

}  // namespace
