#include "library/declaration_lookup.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "library/builtin_data.h"
#include "library/catalog.h"
#include "tests/shared_library.h"

namespace {

using gbk::Text;
using library::DataTypeRecord;
using library::DllCommandRecord;
using library::LibraryTexts;
using library::LookupLists;
using Texts = std::vector<Text>;
using Flags = std::vector<bool>;

const Text kHead = ".版本2\r\n\r\n";

// Lines of a small library text, each closed by CR LF.
Text crlfLines(std::initializer_list<std::string_view> lines) {
  Text text;
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// What a first-occurrence search of the whole text cuts out, as the declaration text,
// or an empty text if the search fails. gbk::find keeps to character boundaries.
Text plainCut(std::string_view text, std::string_view header, std::string_view name) {
  int p = gbk::find(text, Text(header) + Text(name));
  if (p == gbk::kNotFound) return {};
  int q = gbk::find(text, header, p + 1);
  std::size_t end = q == gbk::kNotFound ? text.size() : static_cast<std::size_t>(q - 1);
  return kHead + Text(text.substr(static_cast<std::size_t>(p - 1), end - static_cast<std::size_t>(p - 1)));
}

// The same search byte by byte, for the sweeps over the built-in texts: there "." never
// follows a lead byte (no second byte of a GBK character is 0x2E), so every header found
// byte-wise begins a character and the result is that of plainCut, many times faster.
Text byteCut(std::string_view text, std::string_view header, std::string_view name) {
  std::size_t p = text.find(Text(header) + Text(name));
  if (p == std::string_view::npos) return {};
  std::size_t q = text.find(header, p + 1);
  return kHead + Text(text.substr(p, (q == std::string_view::npos ? text.size() : q) - p));
}

struct DllLookup {
  DllCommandRecord record;
  Text text;
  LookupLists lists;
  bool found = false;
};

DllLookup lookUpDllIn(const LibraryTexts& texts, std::string_view name) {
  DllLookup result;
  if (std::optional<library::FoundDllCommand> found = library::lookUpDllCommand(texts, name, result.lists)) {
    result = {std::move(found->record), std::move(found->declarationText), std::move(result.lists), true};
  }
  return result;
}

DllLookup lookUpDll(std::string_view name) { return lookUpDllIn(sharedLibrary().texts, name); }

// The record and text of a data type, when there is one.
bool lookUpTypeIn(const LibraryTexts& texts, std::string_view name, DataTypeRecord& record, Text& text) {
  std::optional<library::FoundDataType> found = library::lookUpDataType(texts, name);
  if (!found) return false;
  record = std::move(found->record);
  text = std::move(found->declarationText);
  return true;
}

bool lookUpType(std::string_view name, DataTypeRecord& record, Text& text) {
  return lookUpTypeIn(sharedLibrary().texts, name, record, text);
}

Text dataTypeText(std::string_view name) {
  DataTypeRecord record;
  Text text;
  EXPECT_TRUE(lookUpType(name, record, text)) << name;
  return text;
}

// The records' columns, as the tests compare them.
template <class Row, class Value>
std::vector<Value> column(const std::vector<Row>& rows, Value Row::*field) {
  std::vector<Value> values;
  for (const Row& row : rows) values.push_back(row.*field);
  return values;
}
Texts parameterNames(const DllCommandRecord& r) { return column(r.parameters, &library::Parameter::name); }
Texts parameterTypes(const DllCommandRecord& r) { return column(r.parameters, &library::Parameter::type); }
Flags byAddress(const DllCommandRecord& r) { return column(r.parameters, &library::Parameter::byAddress); }
Flags isArray(const DllCommandRecord& r) { return column(r.parameters, &library::Parameter::isArray); }
Texts parameterComments(const DllCommandRecord& r) { return column(r.parameters, &library::Parameter::comment); }
Texts memberNames(const DataTypeRecord& r) { return column(r.members, &library::Member::name); }
Texts memberTypes(const DataTypeRecord& r) { return column(r.members, &library::Member::type); }
Flags byAddress(const DataTypeRecord& r) { return column(r.members, &library::Member::byAddress); }
Texts dimensions(const DataTypeRecord& r) { return column(r.members, &library::Member::dimensions); }
Texts memberComments(const DataTypeRecord& r) { return column(r.members, &library::Member::comment); }

// --- DLL commands of the built-in library --------------------------------------------

TEST(DllCommandLookup, AbortPathGivesItsBlockAndRecord) {
  DllLookup found = lookUpDll("取消路径_");
  ASSERT_TRUE(found.found);
  EXPECT_EQ(found.text,
            kHead + crlfLines({
                        ".DLL命令 取消路径_, 整数型, \"gdi32.dll\", \"AbortPath\", , 非零表示成功，零表示失败",
                        "    .参数 设备场景句柄, 整数型, , hdc,设备场景的句柄",
                        "",
                    }));
  const DllCommandRecord& r = found.record;
  EXPECT_EQ(r.name, "取消路径_");
  EXPECT_EQ(r.returnType, "整数型");
  EXPECT_EQ(r.comment, "非零表示成功，零表示失败");
  EXPECT_EQ(r.dllFile, "gdi32.dll");
  EXPECT_EQ(r.entryName, "AbortPath");
  EXPECT_EQ(parameterNames(r), Texts{"设备场景句柄"});
  EXPECT_EQ(parameterTypes(r), Texts{"整数型"});
  EXPECT_EQ(byAddress(r), Flags{false});
  EXPECT_EQ(isArray(r), Flags{false});
  EXPECT_EQ(parameterComments(r), Texts{"hdc,设备场景的句柄"});
  EXPECT_TRUE(found.lists.neededDataTypeTexts.empty());
  EXPECT_TRUE(found.lists.takenDataTypeNames.empty());
}

TEST(DllCommandLookup, DataTypeUsedTwiceIsTakenOnce) {
  DllLookup found = lookUpDll("比较文件时间_");
  ASSERT_TRUE(found.found);
  EXPECT_EQ(parameterTypes(found.record), (Texts{"文件时间_", "文件时间_"}));
  EXPECT_EQ(byAddress(found.record), (Flags{true, true}));
  EXPECT_EQ(found.record.comment, "");  // the header ends in ", "
  EXPECT_EQ(found.lists.takenDataTypeNames, Texts{"文件时间_"});
  EXPECT_EQ(found.lists.neededDataTypeTexts, Texts{dataTypeText("文件时间_")});
}

TEST(DllCommandLookup, MissingFieldsGiveEmptyTextsAndArrays) {
  DllLookup noDll = lookUpDll("取实例句柄_");
  ASSERT_TRUE(noDll.found);
  EXPECT_EQ(noDll.record.dllFile, "");
  EXPECT_EQ(noDll.record.entryName, "GetModuleHandleA");

  DllLookup noResult = lookUpDll("复制字节集到整数_");
  ASSERT_TRUE(noResult.found);
  EXPECT_EQ(noResult.record.returnType, "");
  EXPECT_EQ(noResult.record.entryName, "RtlMoveMemory");
  EXPECT_EQ(parameterNames(noResult.record).size(), 3u);

  DllLookup noParameters = lookUpDll("取当前进程伪句柄_");
  ASSERT_TRUE(noParameters.found);
  EXPECT_EQ(noParameters.record.entryName, "GetCurrentProcess");
  EXPECT_TRUE(parameterNames(noParameters.record).empty());
  EXPECT_TRUE(parameterTypes(noParameters.record).empty());
  EXPECT_TRUE(byAddress(noParameters.record).empty());
  EXPECT_TRUE(isArray(noParameters.record).empty());
  EXPECT_TRUE(parameterComments(noParameters.record).empty());
  EXPECT_TRUE(noParameters.text.ends_with("\r\n\r\n"));
}

TEST(DllCommandLookup, UntypedAndLogicalParametersNeedNoDataType) {
  DllLookup logical = lookUpDll("共享输入队列_");
  ASSERT_TRUE(logical.found);
  EXPECT_EQ(parameterTypes(logical.record), (Texts{"整数型", "整数型", "逻辑型"}));
  EXPECT_TRUE(logical.lists.takenDataTypeNames.empty());
  EXPECT_TRUE(logical.lists.neededDataTypeTexts.empty());

  DllLookup untyped = lookUpDll("取打印设备能力_");
  ASSERT_TRUE(untyped.found);
  EXPECT_EQ(parameterTypes(untyped.record), (Texts{"文本型", "文本型", "短整数型", "", "设备模式_"}));
  EXPECT_EQ(untyped.lists.takenDataTypeNames, Texts{"设备模式_"});
  EXPECT_EQ(untyped.lists.neededDataTypeTexts, Texts{dataTypeText("设备模式_")});
}

TEST(DllCommandLookup, FlagsComeFromTheFlagsFieldOnly) {
  // 线型数组长度 has "数组" in its name and comment, 线型数组 in its flags.
  DllLookup pen = lookUpDll("创建扩展画笔_");
  ASSERT_TRUE(pen.found);
  EXPECT_EQ(parameterNames(pen.record).back(), "线型数组");
  EXPECT_EQ(byAddress(pen.record), (Flags{false, false, true, false, true}));
  EXPECT_EQ(isArray(pen.record), (Flags{false, false, false, false, true}));

  // The untyped buffer's comment says "短整数型数组"; its flags field is empty.
  DllLookup capabilities = lookUpDll("取打印设备能力_");
  ASSERT_TRUE(capabilities.found);
  EXPECT_TRUE(gbk::contains(parameterComments(capabilities.record)[3], "数组"));
  EXPECT_EQ(isArray(capabilities.record), (Flags{false, false, false, false, false}));
  EXPECT_EQ(byAddress(capabilities.record), (Flags{false, false, false, false, true}));
}

// The last block is the last one generated from the SDK headers (those of wtsapi32.dll come last).
TEST(DllCommandLookup, LastBlockRunsToTheEndOfTheText) {
  std::string_view libraryText = library::dllCommandLibraryText();
  DllLookup last = lookUpDll("WTSWaitSystemEvent_");
  ASSERT_TRUE(last.found);
  Text block = last.text.substr(kHead.size());
  EXPECT_TRUE(libraryText.ends_with(block));
  EXPECT_TRUE(block.ends_with("\r\n"));
  EXPECT_FALSE(block.ends_with("\r\n\r\n"));
  EXPECT_EQ(parameterNames(last.record), (Texts{"hServer", "EventMask", "pEventFlags"}));
}

TEST(DllCommandLookup, UnknownNameChangesNothing) {
  DllLookup filled = lookUpDll("比较文件时间_");
  ASSERT_TRUE(filled.found);
  DllLookup after = filled;
  EXPECT_FALSE(library::lookUpDllCommand(sharedLibrary().texts, "没有这个命令_", after.lists));
  EXPECT_EQ(after.lists.neededDataTypeTexts, filled.lists.neededDataTypeTexts);
  EXPECT_EQ(after.lists.takenDataTypeNames, filled.lists.takenDataTypeNames);
}

TEST(DllCommandLookup, EverySuccessRebuildsTheListsFromEmpty) {
  DllLookup found = lookUpDll("比较文件时间_");
  ASSERT_FALSE(found.lists.takenDataTypeNames.empty());
  std::optional<library::FoundDllCommand> again =
      library::lookUpDllCommand(sharedLibrary().texts, "取消路径_", found.lists);
  ASSERT_TRUE(again);
  EXPECT_TRUE(found.lists.takenDataTypeNames.empty());
  EXPECT_TRUE(found.lists.neededDataTypeTexts.empty());
  EXPECT_EQ(parameterNames(again->record), Texts{"设备场景句柄"});
}

// Every catalog line finds its block, the block of a plain search, and the data types
// that the lookup gathers are those that the catalog line lists.
TEST(DllCommandLookup, EveryCatalogLineLooksUp) {
  std::string_view libraryText = library::dllCommandLibraryText();
  library::Catalog catalog(library::apiCatalogText());
  ASSERT_GT(catalog.size(), 0);
  for (std::int32_t n = 1; n <= catalog.size(); ++n) {
    const library::CatalogEntry* entry = catalog.entry(n);
    ASSERT_NE(entry, nullptr) << n;
    SCOPED_TRACE(entry->line);
    DllLookup found = lookUpDll(entry->chineseName);
    ASSERT_TRUE(found.found);
    EXPECT_EQ(found.record.name, entry->chineseName);
    // A generated block names the export: the English name, or its A form where the
    // English name is the headers' macro for it.
    const Text english(entry->englishName);
    if (entry->chineseName == english + "_") {
      EXPECT_TRUE(found.record.entryName == english || found.record.entryName == english + "A");
    } else {
      EXPECT_EQ(found.record.entryName, library::exportedEntryName(entry->englishName));
    }
    EXPECT_EQ(found.text, byteCut(libraryText, ".DLL命令 ", entry->chineseName));
    Texts listed;
    for (std::string_view dataType : entry->dataTypeNames) {
      if (!dataType.empty()) listed.emplace_back(dataType);
    }
    EXPECT_EQ(found.lists.takenDataTypeNames, listed);
    EXPECT_EQ(found.lists.neededDataTypeTexts.size(), listed.size());
  }
}

// --- Data types of the built-in library ----------------------------------------------

TEST(DataTypeLookup, CommentsEndingInACommaLoseIt) {
  DataTypeRecord record;
  Text text;
  ASSERT_TRUE(lookUpType("文件时间_", record, text));
  EXPECT_EQ(text, kHead + crlfLines({
                              ".数据类型 文件时间_, , FILETIME,size = 8",
                              "    .成员 低位时间, 整数型, , , dwLowDateTime,",
                              "    .成员 高位时间, 整数型, , , dwHighDateTime,",
                              "",
                          }));
  EXPECT_EQ(record.name, "文件时间_");
  EXPECT_FALSE(record.isPublic);
  EXPECT_EQ(record.comment, "FILETIME,size = 8");
  EXPECT_EQ(memberNames(record), (Texts{"低位时间", "高位时间"}));
  EXPECT_EQ(memberTypes(record), (Texts{"整数型", "整数型"}));
  EXPECT_EQ(byAddress(record), (Flags{false, false}));
  EXPECT_EQ(dimensions(record), (Texts{"", ""}));
  EXPECT_EQ(memberComments(record), (Texts{"dwLowDateTime", "dwHighDateTime"}));
}

TEST(DataTypeLookup, SpacesAroundCommentCommasGo) {
  DataTypeRecord record;
  Text text;
  ASSERT_TRUE(lookUpType("表单结构_", record, text));
  ASSERT_EQ(memberNames(record).size(), 8u);
  EXPECT_EQ(memberNames(record)[5], "顶边");
  EXPECT_EQ(memberComments(record)[5], "Top,可以绘图的实际区域顶边");
  EXPECT_TRUE(gbk::contains(text, "Top ,可以绘图的实际区域顶边"));  // the text stays as written
}

// The last data type is the last one generated from the SDK headers, by name.
TEST(DataTypeLookup, LastBlockRunsToTheEndAndDimensionsLoseTheirQuotes) {
  DataTypeRecord record;
  Text text;
  ASSERT_TRUE(lookUpType("uCLSSPEC_", record, text));
  Text block = text.substr(kHead.size());
  EXPECT_TRUE(library::dataTypeLibraryText().ends_with(block));
  EXPECT_FALSE(block.ends_with("\r\n\r\n"));
  ASSERT_GE(dimensions(record).size(), 5u);
  EXPECT_EQ(dimensions(record)[0], "");
  EXPECT_EQ(dimensions(record)[4], "8");
  EXPECT_EQ(memberTypes(record)[4], "字节型");
  // The header's comment follows the C name: where the union's other arms lie.
  EXPECT_TRUE(record.comment.starts_with("uCLSSPEC,联合 tagged_union 偏移 4："));
  EXPECT_TRUE(gbk::contains(record.comment, "tagged_union.pFileExt 4"));
}

TEST(DataTypeLookup, UnknownNameFindsNothing) {
  EXPECT_FALSE(library::lookUpDataType(sharedLibrary().texts, "没有这个类型_"));
}

TEST(DataTypeLookup, EveryDeclaredDataTypeLooksUp) {
  std::string_view libraryText = library::dataTypeLibraryText();
  int checked = 0;
  for (const Text& line : gbk::split(libraryText, "\r\n")) {
    if (!line.starts_with(".数据类型 ")) continue;
    Text name = gbk::split(line.substr(Text(".数据类型 ").size()), ",").front();
    SCOPED_TRACE(name);
    DataTypeRecord record;
    Text text;
    ASSERT_TRUE(lookUpType(name, record, text));
    EXPECT_EQ(record.name, name);
    EXPECT_EQ(text, byteCut(libraryText, ".数据类型 ", name));
    EXPECT_FALSE(memberNames(record).empty());
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

// --- Lookups on given texts ----------------------------------------------------------

TEST(LookupOnGivenTexts, ShortLinesArePaddedAndEveryFieldIsTrimmed) {
  Text dll = crlfLines({".版本 2", "", ".DLL命令 短_", "    .参数 甲", "  .参数 乙, 整数型  , , x ,　y, z ", "",
                        ".DLL命令 次_, 整数型"});
  Text types = crlfLines({".版本 2", "", ".数据类型 空_", "", ".数据类型 窄_", "    .成员 丙, , , \"\"\"\""});
  LibraryTexts texts{dll, types};

  DllLookup found = lookUpDllIn(texts, "短_");
  ASSERT_TRUE(found.found);
  EXPECT_EQ(found.record.returnType, "");
  EXPECT_EQ(found.record.dllFile, "");
  EXPECT_EQ(found.record.entryName, "");
  EXPECT_EQ(found.record.comment, "");
  EXPECT_EQ(parameterNames(found.record), (Texts{"甲", "乙"}));
  EXPECT_EQ(parameterTypes(found.record), (Texts{"", "整数型"}));
  EXPECT_EQ(parameterComments(found.record), (Texts{"", "x,y,z"}));
  EXPECT_EQ(isArray(found.record), (Flags{false, false}));

  DataTypeRecord record;
  Text text;
  ASSERT_TRUE(lookUpTypeIn(texts, "空_", record, text));
  EXPECT_EQ(text, kHead + crlfLines({".数据类型 空_", ""}));
  EXPECT_EQ(record.comment, "");
  EXPECT_TRUE(memberNames(record).empty());
  EXPECT_TRUE(memberTypes(record).empty());
  EXPECT_TRUE(byAddress(record).empty());
  EXPECT_TRUE(dimensions(record).empty());
  EXPECT_TRUE(memberComments(record).empty());

  ASSERT_TRUE(lookUpTypeIn(texts, "窄_", record, text));
  EXPECT_EQ(dimensions(record), Texts{"\"\""});  // only the outer quotes go
  EXPECT_EQ(memberComments(record), Texts{""});
}

// An undeclared type (and "双精度小数型", which is no basic type) is taken once and
// adds no text; above all it does not repeat the text of the type looked up before it.
TEST(LookupOnGivenTexts, UndeclaredParameterTypeIsTakenOnceWithoutText) {
  Text dll = crlfLines({
      ".DLL命令 混合_, , , , , ",
      "    .参数 甲, 已声明_, 传址, ",
      "    .参数 乙, 未声明_, , ",
      "    .参数 丙, 未声明_, , ",
      "    .参数 丁, 双精度小数型, , ",
      "    .参数 戊, 双精度小数, , ",
      "    .参数 己, 另一_, , ",
      "    .参数 庚, 已声明_, , ",
  });
  Text types = crlfLines({".数据类型 已声明_, , A", "    .成员 子, 整数型, , , a", "", ".数据类型 另一_, , B"});
  LibraryTexts texts{dll, types};
  DllLookup found = lookUpDllIn(texts, "混合_");
  ASSERT_TRUE(found.found);
  EXPECT_EQ(found.lists.takenDataTypeNames, (Texts{"已声明_", "未声明_", "双精度小数型", "另一_"}));
  EXPECT_EQ(found.lists.neededDataTypeTexts,
            (Texts{kHead + crlfLines({".数据类型 已声明_, , A", "    .成员 子, 整数型, , , a", ""}),
                   kHead + crlfLines({".数据类型 另一_, , B"})}));
}

// Quoted headers in comments count as a plain search counts them; a header whose
// first byte is swallowed by a double-byte character before it does not.
TEST(LookupOnGivenTexts, FindsWhatAPlainFirstOccurrenceSearchFinds) {
  Text dll = crlfLines({
      ".版本 2",
      "",
      ".DLL命令 甲乙_, 整数型, \"a.dll\", \"A\", , 见.DLL命令 乙_的说明",
      "    .参数 参, 整数型, , 注\x81.DLL命令 丙_",
      "",
      ".DLL命令 乙_, , \"b.dll\", \"B\", , ",
      "",
      ".DLL命令 丙_, , , \"C\", , ",
  });
  LibraryTexts texts{dll, ""};
  for (std::string_view name : {"甲乙_", "甲", "乙_", "丙_", "", "丁_", "乙_的说明\r\n"}) {
    SCOPED_TRACE(name);
    DllLookup found = lookUpDllIn(texts, name);
    Text expected = plainCut(dll, ".DLL命令 ", name);
    EXPECT_EQ(found.found, !expected.empty());
    EXPECT_EQ(found.text, expected);
  }
  DllLookup quoted = lookUpDllIn(texts, "乙_");
  EXPECT_TRUE(quoted.text.starts_with(kHead + ".DLL命令 乙_的说明\r\n"));
  DllLookup swallowed = lookUpDllIn(texts, "丙_");
  EXPECT_EQ(swallowed.record.entryName, "C");
  DllLookup first = lookUpDllIn(texts, "甲乙_");
  EXPECT_EQ(first.record.comment, "见");  // its block ends where the quoted header begins
}

}  // namespace
