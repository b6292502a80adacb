#include "tools/data_validator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace {

using library::validateBuiltinData;

const std::string kDll =
    ".版本 2\r\n\r\n"
    ".DLL命令 取消路径_, 整数型, \"gdi32.dll\", \"AbortPath\", , 非零表示成功，零表示失败\r\n"
    "    .参数 设备场景句柄, 整数型, , hdc,设备场景的句柄\r\n"
    "\r\n"
    ".DLL命令 比较文件时间_, 整数型, \"kernel32.dll\", \"CompareFileTime\", , \r\n"
    "    .参数 欲比较时间1, 文件时间_, 传址, lpFileTime1，欲比较时间1\r\n"
    "    .参数 欲比较时间2, 文件时间_, 传址, lpFileTime2，欲比较时间2\r\n"
    "\r\n"
    ".DLL命令 插入菜单条目_, 逻辑型, \"user32.dll\", \"InsertMenuA\", , 插入菜单条目\r\n"
    "    .参数 菜单句柄, 整数型, , hMenu\r\n"
    "    .参数 条目内容, , , lpNewItem,请自行选择类型\r\n";
const std::string kTypes =
    ".版本 2\r\n\r\n"
    ".数据类型 尺寸_, , SIZE\r\n"
    "    .成员 宽度, 整数型, , , width\r\n"
    "    .成员 高度, 整数型, , , height\r\n"
    "\r\n"
    ".数据类型 文件时间_, , FILETIME,size = 8\r\n"
    "    .成员 低位时间, 整数型, , , dwLowDateTime,\r\n"
    "    .成员 名称, 字节型, , \"32\", name\r\n";
const std::string kCatalog =
    "AbortPath,文件处理函数,取消路径_\r\n"
    "CompareFileTime,文件处理函数,比较文件时间_,文件时间_\r\n"
    "InsertMenuA,菜单函数,插入菜单条目_,\r\n";

// Rules found, in GBK; the texts above are valid, so each test breaks one thing.
std::vector<std::string> rules(const std::string& dll, const std::string& types, const std::string& catalog) {
  std::vector<std::string> out;
  for (const auto& v : validateBuiltinData(dll, types, catalog)) out.push_back(v.item + ":" + v.rule);
  return out;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  auto pos = text.find(from);
  EXPECT_NE(pos, std::string::npos) << from;
  return text.replace(pos, from.size(), to);
}

bool mentions(const std::vector<std::string>& found, const std::string& what) {
  return std::any_of(found.begin(), found.end(),
                     [&](const std::string& r) { return r.find(what) != std::string::npos; });
}

TEST(DataValidator, AcceptsDataThatKeepsEveryRule) {
  // Catalog out of byte order by category: 文件处理函数 (CE C4) sorts after 菜单函数 (B2 CB).
  std::string sorted =
      "InsertMenuA,菜单函数,插入菜单条目_,\r\n"
      "AbortPath,文件处理函数,取消路径_\r\n"
      "CompareFileTime,文件处理函数,比较文件时间_,文件时间_\r\n";
  EXPECT_EQ(rules(kDll, kTypes, sorted), std::vector<std::string>{});
  EXPECT_TRUE(mentions(rules(kDll, kTypes, kCatalog), "catalog:not in byte order"));
}

struct Breakage {
  const char* what;  // also the test's name, spaces made underscores
  std::string dll, types, catalog;
  const char* expected;
};

class DataValidatorRules : public ::testing::TestWithParam<Breakage> {};

TEST_P(DataValidatorRules, ReportsTheBrokenRule) {
  const Breakage& b = GetParam();
  auto found = rules(b.dll, b.types, b.catalog);
  EXPECT_TRUE(mentions(found, b.expected)) << b.what << ": " << ::testing::PrintToString(found);
}

const std::string kSortedCatalog =
    "InsertMenuA,菜单函数,插入菜单条目_,\r\n"
    "AbortPath,文件处理函数,取消路径_\r\n"
    "CompareFileTime,文件处理函数,比较文件时间_,文件时间_\r\n";

// DrawTextEx is exported only as DrawTextExA/W: its block names the A form, and a block
// that kept the catalog's name would not resolve when the program runs.
TEST(DataValidator, NamesTheExportThatExistsForTheCatalogsUnexportedNames) {
  std::string dll = kDll + "\r\n.DLL命令 在矩形中绘制文本扩展_, 整数型, \"user32.dll\", \"DrawTextExA\", , 绘制\r\n";
  std::string catalog =
      replaced(kSortedCatalog, "AbortPath,", "DrawTextEx,设备场景函数,在矩形中绘制文本扩展_\r\nAbortPath,");
  EXPECT_EQ(rules(dll, kTypes, catalog), std::vector<std::string>{});
  EXPECT_TRUE(
      mentions(rules(replaced(dll, "DrawTextExA", "DrawTextEx"), kTypes, catalog), "catalog:the English name differs"));
}

INSTANTIATE_TEST_SUITE_P(
    EachRule, DataValidatorRules,
    ::testing::Values(
        Breakage{"lone LF", replaced(kDll, "hdc,设备场景的句柄\r\n", "hdc,设备场景的句柄\n"), kTypes, kSortedCatalog,
                 "dll:lone CR or LF"},
        Breakage{"tab", replaced(kDll, "hdc,", "hdc\t,"), kTypes, kSortedCatalog, "dll:tab"},
        Breakage{"NUL", kDll, replaced(kTypes, "width", std::string("wid\0th", 6)), kSortedCatalog, "types:NUL"},
        Breakage{"no final CR LF", kDll, kTypes, kSortedCatalog.substr(0, kSortedCatalog.size() - 2),
                 "catalog:the last line does not end"},
        Breakage{"not GBK", replaced(kDll, "hdc,", "hdc\xFF\xFF,"), kTypes, kSortedCatalog, "dll:not valid GBK"},
        Breakage{"first line", replaced(kDll, ".版本 2", ".版本2"), kTypes, kSortedCatalog, "dll:the first line"},
        Breakage{"two empty lines", replaced(kDll, "\r\n\r\n.DLL命令 比较", "\r\n\r\n\r\n.DLL命令 比较"), kTypes,
                 kSortedCatalog, "dll:more than one empty line"},
        Breakage{"no separation", replaced(kDll, "句柄\r\n\r\n", "句柄\r\n"), kTypes, kSortedCatalog,
                 "dll:blocks are not separated"},
        Breakage{"empty line at the end", kDll + "\r\n", kTypes, kSortedCatalog, "dll:an empty line after the last"},
        Breakage{"separator without space", replaced(kDll, "取消路径_, 整数型", "取消路径_,整数型"), kTypes,
                 kSortedCatalog, "dll:a field separator"},
        Breakage{"return type", replaced(kDll, "取消路径_, 整数型", "取消路径_, 整型"), kTypes, kSortedCatalog,
                 "dll:the return type"},
        Breakage{"unquoted entry", replaced(kDll, "\"AbortPath\"", "AbortPath"), kTypes, kSortedCatalog,
                 "dll:the entry name"},
        Breakage{"public field", replaced(kDll, "\"AbortPath\", ,", "\"AbortPath\", 公开,"), kTypes, kSortedCatalog,
                 "dll:the public field"},
        Breakage{"parameter flags", replaced(kDll, "文件时间_, 传址, lpFileTime1", "文件时间_, 参考, lpFileTime1"),
                 kTypes, kSortedCatalog, "dll:parameter flags"},
        Breakage{"undeclared parameter type",
                 replaced(kDll, "文件时间_, 传址, lpFileTime1", "时间_, 传址, lpFileTime1"), kTypes, kSortedCatalog,
                 "neither basic nor declared"},
        Breakage{"member type", kDll, replaced(kTypes, "宽度, 整数型", "宽度, 尺寸_"), kSortedCatalog,
                 "types:a member type"},
        Breakage{"member fields", kDll, replaced(kTypes, "宽度, 整数型, , , width", "宽度, 整数型, "), kSortedCatalog,
                 "types:a member line has not"},
        Breakage{"dimensions", kDll, replaced(kTypes, "\"32\"", "32"), kSortedCatalog, "types:dimensions"},
        Breakage{"duplicate name", kDll, replaced(kTypes, ".数据类型 文件时间_", ".数据类型 尺寸_"), kSortedCatalog,
                 "declared twice"},
        Breakage{"name is the beginning of an earlier one",
                 replaced(kDll, ".DLL命令 取消路径_,", ".DLL命令 比较文件时间_加长_,"), kTypes, kSortedCatalog,
                 "finds another declaration first"},
        Breakage{"space in catalog", kDll, kTypes, replaced(kSortedCatalog, "AbortPath,", "AbortPath ,"),
                 "catalog:a space"},
        Breakage{"missing block", kDll, kTypes, replaced(kSortedCatalog, "取消路径_\r\n", "取消路径2_\r\n"),
                 "catalog:no DLL command named"},
        Breakage{"block without entry", kDll, kTypes,
                 replaced(kSortedCatalog, "AbortPath,文件处理函数,取消路径_\r\n", ""), "has no catalog entry"},
        Breakage{"entry name", kDll, kTypes, replaced(kSortedCatalog, "AbortPath,", "AbortPathA,"),
                 "catalog:the English name differs"},
        Breakage{"data type fields", kDll, kTypes, replaced(kSortedCatalog, ",文件时间_\r\n", "\r\n"),
                 "catalog:the data type fields differ"},
        Breakage{"untyped last parameter without final comma", kDll, kTypes,
                 replaced(kSortedCatalog, "插入菜单条目_,\r\n", "插入菜单条目_\r\n"), "needs a final"},
        Breakage{"fewer than 3 fields", kDll, kTypes, "AbortPath,文件处理函数\r\n" + kSortedCatalog,
                 "catalog:fewer than 3 fields"}),
    [](const ::testing::TestParamInfo<Breakage>& info) {
      std::string name = info.param.what;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

// Generated declarations: ASCII names, filed under their DLL files after the hand-written
// lines; the block names the English name's export or, for a macro, its A form.
TEST(DataValidator, TakesGeneratedDeclarationsAfterTheHandWrittenOnes) {
  const std::string dll = kDll +
                          "\r\n.DLL命令 ChangeMenu_, 整数型, \"user32.dll\", \"ChangeMenuA\", , winuser.h\r\n"
                          "    .参数 hMenu, 整数型, , hMenu,HMENU\r\n"
                          "\r\n.DLL命令 GetDpiForWindow_, 整数型, \"user32.dll\", \"GetDpiForWindow\", , winuser.h\r\n";
  const std::string catalog =
      kSortedCatalog + "ChangeMenu,user32.dll,ChangeMenu_\r\nGetDpiForWindow,user32.dll,GetDpiForWindow_\r\n";
  EXPECT_EQ(rules(dll, kTypes, catalog), std::vector<std::string>{});
  struct Change {
    const char *from, *to, *rule;
  };
  const char* differs = "catalog:a generated line differs";
  for (const Change& c : {Change{"ChangeMenu,user32.dll,", "ChangeMenu,USER32.DLL,", differs},
                          Change{"ChangeMenu,", "ChangeMenuA,", differs},
                          Change{"GetDpiForWindow,user32.dll,GetDpiForWindow_\r\n", "", "has no catalog entry"}}) {
    EXPECT_TRUE(mentions(rules(dll, kTypes, replaced(catalog, c.from, c.to)), c.rule)) << c.to;
  }
  EXPECT_TRUE(mentions(rules(dll, kTypes, "ChangeMenu,user32.dll,ChangeMenu_\r\n" + kSortedCatalog),
                       "catalog:not in byte order"));
  EXPECT_TRUE(
      mentions(rules(replaced(dll, "ChangeMenu_,", "Change-Menu_,"), kTypes, catalog), "dll:an ASCII command name"));
}

TEST(DataValidator, ChecksEachConstantLine) {
  const std::string valid =
      ".版本 2\r\n\r\n.常量 MIIM_STRING, \"64\", , winuser.h\r\n"
      ".常量 INFINITE, \"-1\", , winbase.h 0xFFFFFFFF\r\n";
  EXPECT_TRUE(library::validateConstantLibrary(valid).empty());
  auto brokenLines = [&](const std::string& lines) {
    std::vector<std::pair<int, std::string>> found;
    for (const auto& v : library::validateConstantLibrary(valid + lines)) found.emplace_back(v.line, v.rule);
    return found;
  };
  using Found = std::vector<std::pair<int, std::string>>;
  EXPECT_EQ(brokenLines(".常量 MIIM_STRING, \"64\", , winuser.h\r\n"),
            (Found{{5, "the constant \"MIIM_STRING\" is declared twice"}}));
  for (const char* value : {"4294967295", "-2147483649", "064", "-0", "+1", "0x40", "", "6 4"}) {
    EXPECT_EQ(brokenLines(std::string(".常量 A_B, \"") + value + "\", , x.h\r\n"),
              (Found{{5, "the value is not a 32-bit decimal as E writes it"}}))
        << value;
  }
  EXPECT_EQ(brokenLines(".常量 A_B, \"-2147483648\", , winnt.h\r\n.常量 C_D, \"1\", , 0x1\r\n"),
            (Found{{6, "the comment does not begin with the header"}}));
  EXPECT_EQ(brokenLines("\r\n.常量 A B, \"1\", , x.h\r\n").size(), 2u);
  EXPECT_EQ(library::validateConstantLibrary(".版本 2\r\n.常量 A_B, \"1\", , x.h").size(),
            2u);  // no empty line, no line end
}

}  // namespace
