// Where the blocks of one kind (".DLL命令 ", ".数据类型 ") begin in a library text, and
// which block a name heads.
//
// Every position at which a search for the header, matching at character boundaries
// only, can succeed. A search for header + name can succeed only at one of them, and
// the next one is where a search for the header alone, started one byte further,
// stops: so the first of them followed by the name, and its successor, give exactly
// the block that a first-occurrence search of the whole text cuts out. Headers quoted
// inside a comment count too, as they would for that search.
//
// The name fields of the headers, sorted, find the first header that begins with a
// name without trying every header: those whose name field begins with the name stand
// together. (A name with a comma or a line end in it reaches past the name field; it
// is tried on every header.)
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace library {

class HeaderIndex {
 public:
  // The header positions in text order, and their numbers in the order of their names.
  struct Tables {
    std::vector<std::uint32_t> starts;
    std::vector<std::uint32_t> byName;
  };
  // The tables of a text; none for a text too long to count in 32 bits.
  static Tables build(std::string_view text, std::string_view header);

  // Builds its own tables.
  HeaderIndex(std::string_view text, std::string_view header);
  // Over tables built before, which must outlive it: the build makes those of the
  // built-in texts.
  HeaderIndex(std::string_view text, std::string_view header, std::span<const std::uint32_t> starts,
              std::span<const std::uint32_t> byName);
  HeaderIndex(HeaderIndex&&) = default;
  HeaderIndex(const HeaderIndex&) = delete;
  HeaderIndex& operator=(const HeaderIndex&) = delete;

  // The text indexed.
  std::string_view text() const { return text_; }
  // The block that the first header followed by `name` begins, up to the next header.
  std::optional<std::string_view> block(std::string_view name) const;

 private:
  std::string_view text_;
  std::string_view header_;
  Tables owned_;
  std::span<const std::uint32_t> starts_;
  std::span<const std::uint32_t> byName_;
};

}  // namespace library
