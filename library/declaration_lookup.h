// Finding one declaration in the library texts and parsing it into a record.
//
// A lookup searches the constant text for the first header line that begins with the
// name, cuts out the block up to the next header of the same kind, and hands back the
// declaration text: ".版本2", an empty line, then the block as it stands.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "base/gbk_text.h"
#include "library/header_index.h"

namespace library {

// One ".参数" line.
struct Parameter {
  gbk::Text name;
  gbk::Text type;
  bool byAddress = false;
  bool isArray = false;
  gbk::Text comment;
};

struct DllCommandRecord {
  gbk::Text name;                     // the Chinese name looked up
  gbk::Text returnType;               // empty for a command without result
  gbk::Text comment;                  // header fields 6 and on, joined with ","
  gbk::Text dllFile;                  // without its quotes
  gbk::Text entryName;                // without its quotes
  std::vector<Parameter> parameters;  // one per parameter line, in order
};

// One ".成员" line.
struct Member {
  gbk::Text name;
  gbk::Text type;
  bool byAddress = false;
  gbk::Text dimensions;  // the element count without quotes, or empty
  gbk::Text comment;
};

struct DataTypeRecord {
  gbk::Text name;
  bool isPublic = false;  // never read from the text
  gbk::Text comment;
  std::vector<Member> members;  // one per member line, in order
};

// What a lookup hands back: the parsed record and the declaration text to show.
template <class Record>
struct Found {
  Record record;
  gbk::Text declarationText;
};
using FoundDllCommand = Found<DllCommandRecord>;
using FoundDataType = Found<DataTypeRecord>;

// The two lists that every successful DLL command lookup rebuilds.
struct LookupLists {
  std::vector<gbk::Text> neededDataTypeTexts;  // declaration texts, in order of first use
  std::vector<gbk::Text> takenDataTypeNames;
};

// The two texts that the lookups search, each with the index of its headers. The texts
// must outlive it.
class LibraryTexts {
 public:
  // Indexes the texts: the small libraries that tests and tools write.
  LibraryTexts(std::string_view dllCommands, std::string_view dataTypes);
  // Over the indexes that the build made of the built-in texts.
  LibraryTexts(HeaderIndex dllCommands, HeaderIndex dataTypes);

  const HeaderIndex& dllCommands() const { return dllCommands_; }  // ".DLL命令" blocks
  const HeaderIndex& dataTypes() const { return dataTypes_; }      // ".数据类型" blocks

 private:
  HeaderIndex dllCommands_;
  HeaderIndex dataTypes_;
};

// Looks up a DLL command by Chinese name (a catalog entry's key). On success rebuilds
// `lists`; an unknown name changes nothing and finds nothing. A lookup finds what a plain
// first-occurrence search of the text finds.
//
// A parameter type that is neither basic nor declared is taken once into the taken
// names and adds no text: there is no declaration to show, and repeating the text of
// the data type looked up before it would show a declaration twice.
[[nodiscard]] std::optional<FoundDllCommand> lookUpDllCommand(const LibraryTexts& texts, std::string_view name,
                                                              LookupLists& lists);

// Looks up a data type by name.
[[nodiscard]] std::optional<FoundDataType> lookUpDataType(const LibraryTexts& texts, std::string_view name);

// What a copy of a declaration takes, without parsing its record: the block as the text
// holds it, up to the next header (a view into the text), and the type names that its
// lines give, basic ones too, in order: a DLL command's return type, then each
// parameter's; a data type's members'.
struct DeclarationBlock {
  std::string_view block;
  std::vector<gbk::Text> typeNames;
};
[[nodiscard]] std::optional<DeclarationBlock> lookUpDllCommandBlock(const LibraryTexts& texts, std::string_view name);
[[nodiscard]] std::optional<DeclarationBlock> lookUpDataTypeBlock(const LibraryTexts& texts, std::string_view name);

}  // namespace library
