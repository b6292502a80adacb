// The constants library: the SDK constants that the built-in declarations name, each with
// its value as E writes it, in E's own declaration form (data/README.md, "Constants").
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "library/gbk_text.h"

namespace library {

// Whether `word` stands in the GBK text as a whole word, as namedIn reads words.
bool namesWord(std::string_view gbkText, std::string_view word);

struct Constant {
  gbk::Text name;     // the SDK name, MIIM_STRING
  gbk::Text value;    // decimal, signed 32-bit as E's 整数型 holds it: "64", "-1"
  gbk::Text comment;  // the header that defines it, and more
  gbk::Text line;     // the whole `.常量 名称, "值", , 备注` line, without its line end
};

// One `.常量 名称, "值", , 备注` line: a name of ASCII letters, digits and "_", the value
// in double quotes, an empty public field, the comment; nothing for a line of another shape.
std::optional<Constant> parseConstantLine(std::string_view line);

class ConstantLibrary {
 public:
  // Reads the `.常量` lines of the text; a line of another shape is passed over.
  explicit ConstantLibrary(std::string_view constantLibraryText);

  const Constant* find(std::string_view sdkName) const;

  // Every constant whose SDK name stands in the GBK text as a whole word (a run of ASCII
  // letters, digits and "_"), with the rest of its family, each once, in library order.
  // A family: the constants of one header whose names share their part up to the first "_",
  // where that part is 2 characters or more (MIIM_); any other constant is its own.
  std::vector<const Constant*> namedIn(std::string_view gbkText) const;

  std::size_t size() const { return constants_.size(); }

 private:
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };

  std::vector<Constant> constants_;
  std::vector<std::uint32_t> familyOf_;               // by constant
  std::vector<std::vector<std::uint32_t>> families_;  // the constants of each, in library order
  std::unordered_map<std::string, std::uint32_t, NameHash, std::equal_to<>> byName_;
};

// The built-in constants library (library/builtin_data.h), read at its first use: the
// declaration view, the search and the copy share it.
const ConstantLibrary& builtInConstants();

}  // namespace library
