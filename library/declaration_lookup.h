// Finding one declaration in the library texts and parsing it into a record.
//
// A lookup searches the constant text for the first header line that begins with the
// name, cuts out the block up to the next header of the same kind, and hands back the
// declaration text: ".版本2", an empty line, then the block as it stands.
#pragma once

#include <string_view>
#include <vector>

#include "library/gbk_text.h"

namespace library {

struct DllCommandRecord {
  gbk::Text name;        // the Chinese name looked up
  gbk::Text returnType;  // empty for a command without result
  gbk::Text comment;     // header fields 6 and on, joined with ","
  gbk::Text dllFile;     // without its quotes
  gbk::Text entryName;   // without its quotes
  // One element per parameter line, in order.
  std::vector<gbk::Text> parameterNames;
  std::vector<gbk::Text> parameterTypes;
  std::vector<bool> byAddress;
  std::vector<bool> isArray;
  std::vector<gbk::Text> parameterComments;
};

struct DataTypeRecord {
  gbk::Text name;
  bool isPublic = false;  // never read from the text
  gbk::Text comment;
  // One element per member line, in order.
  std::vector<gbk::Text> memberNames;
  std::vector<gbk::Text> memberTypes;
  std::vector<bool> byAddress;
  std::vector<gbk::Text> dimensions;  // the element count without quotes, or empty
  std::vector<gbk::Text> memberComments;
};

// The two lists that every successful DLL command lookup rebuilds.
struct LookupLists {
  std::vector<gbk::Text> neededDataTypeTexts;  // declaration texts, in order of first use
  std::vector<gbk::Text> takenDataTypeNames;
};

// Looks up a DLL command by Chinese name (a catalog entry's key). On success fills record
// and text, rebuilds `lists` and returns true; an unknown name changes nothing and
// returns false.
//
// A parameter type that is neither basic nor declared is taken once into the taken
// names and adds no text: there is no declaration to show, and repeating the text of
// the data type looked up before it would show a declaration twice.
bool lookUpDllCommand(std::string_view name, DllCommandRecord& record, gbk::Text& declarationText,
                      LookupLists& lists);

// Looks up a data type by name; an unknown name changes nothing and returns false.
bool lookUpDataType(std::string_view name, DataTypeRecord& record, gbk::Text& declarationText);

// The two texts that the lookups search. The built-in texts are indexed once, at first
// use; other texts (small libraries written by tests and tools) on every call. Either
// way a lookup finds what a plain first-occurrence search of the text finds.
struct LibraryTexts {
  std::string_view dllCommands;  // ".DLL命令" blocks
  std::string_view dataTypes;    // ".数据类型" blocks
};
LibraryTexts builtinLibraryTexts();

bool lookUpDllCommand(const LibraryTexts& texts, std::string_view name, DllCommandRecord& record,
                      gbk::Text& declarationText, LookupLists& lists);
bool lookUpDataType(const LibraryTexts& texts, std::string_view name, DataTypeRecord& record,
                    gbk::Text& declarationText);

}  // namespace library
