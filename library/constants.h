// The constants library: the SDK constants that the built-in declarations name, each with
// its value as E writes it, in E's own declaration form (data/README.md, "Constants").
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/gbk_text.h"

namespace library {

struct BuiltInConstants;

// Whether `word` stands in the GBK text as a whole word, as namedIn reads words.
bool namesWord(std::string_view gbkText, std::string_view word);

// Views of the line it was read from.
struct Constant {
  std::string_view name;     // the SDK name, MIIM_STRING
  std::string_view value;    // decimal, signed 32-bit as E's 整数型 holds it: "64", "-1"
  std::string_view comment;  // the header that defines it, and more
  std::string_view line;     // the whole `.常量 名称, "值", , 备注` line, without its line end
};

// One `.常量 名称, "值", , 备注` line: a name of ASCII letters, digits and "_", the value
// in double quotes, an empty public field, the comment; nothing for a line of another shape.
std::optional<Constant> parseConstantLine(std::string_view line);

class ConstantLibrary {
 public:
  // Reads the `.常量` lines of the text, which it keeps; a line of another shape is passed over.
  explicit ConstantLibrary(std::string_view constantLibraryText);
  // The built-in library, from the tables of the build (library/builtin_constants.cpp).
  static ConstantLibrary builtIn();
  ConstantLibrary(const ConstantLibrary&) = delete;
  ConstantLibrary& operator=(const ConstantLibrary&) = delete;

  const Constant* find(std::string_view sdkName) const;

  // Every constant that the GBK text names, each once, in library order. A text names a
  // constant by its SDK name as a whole word (a run of ASCII letters, digits and "_"), and
  // a family by its names' common beginning, ending in "_", then "*" (`LWA_*`: LWA_ALPHA,
  // LWA_COLORKEY): the headers' families overlap in their prefixes (FILE_ names access
  // rights, attributes and create options), so a text says which it means.
  std::vector<const Constant*> namedIn(std::string_view gbkText) const;

  // A constant with the line of the declaration text that first names it.
  struct Taken {
    const Constant* constant;
    std::string_view line;  // without its line end
  };
  // Every constant that the declaration text names, each once, line by line in the order of
  // the lines that first name them, in library order within a line.
  std::vector<Taken> takenBy(std::string_view gbkText) const;

  std::size_t size() const { return constants_.size(); }

  // What the reading made: the build stores it (tools/embed_data.cpp), and the built-in
  // library is made from that without reading its text again.
  struct Tables {
    std::string_view text;                // the library's copy of its text, which the constants view
    std::span<const Constant> constants;  // in library order
    std::span<const std::uint32_t> byName;
  };
  Tables tables() const { return {text_, constants_, byName_}; }

 private:
  ConstantLibrary(std::string_view text, const BuiltInConstants& built);

  // The constant of that name, by index; nothing when there is none.
  std::optional<std::uint32_t> indexOf(std::string_view sdkName) const;
  // Appends the indices of the constants that the text names, unsorted, repeats kept.
  void appendNamed(std::string_view gbkText, std::vector<std::uint32_t>& indices) const;

  std::string text_;
  std::vector<Constant> constants_;
  std::vector<std::uint32_t> byName_;  // the constants, by name
};

}  // namespace library
