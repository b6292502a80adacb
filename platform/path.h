// A file system path as the system spells it: UTF-16 from the system to the file calls, so
// that a folder named in a script that GBK lacks (한국, ø) is found and written into. Only
// the parts that are GBK text by design (a name from the examples database, the database's
// own name) are converted, where they are joined on.
#pragma once

#include <compare>
#include <string>
#include <string_view>

#include "base/gbk_text.h"

namespace platform {

class Path {
 public:
  Path() = default;
  // Implicit: UTF-16 units are a path as they stand. GBK text never is (see fromGbk).
  Path(std::u16string units) : units_(std::move(units)) {}
  Path(const char16_t* units) : units_(units) {}

  // A GBK text (a name from the examples database) as a path, converted.
  static Path fromGbk(std::string_view text);

  const std::u16string& units() const { return units_; }
  bool empty() const { return units_.empty(); }

  // The folder this path names, ending in one "\" (a drive root keeps its own); the empty
  // path, the current folder, stays empty, so that a name joined on is found there.
  Path asFolder() const;
  // The path with `more` after it, as it stands: no separator is added.
  Path operator+(const Path& more) const { return Path(units_ + more.units_); }

  // Position of the last "\" or "/", or npos.
  std::size_t lastSeparator() const { return units_.find_last_of(u"\\/"); }

  // For messages, which are GBK: a character that GBK lacks shows as "?".
  gbk::Text shown() const;

  friend bool operator==(const Path&, const Path&) = default;
  friend std::strong_ordering operator<=>(const Path&, const Path&) = default;

 private:
  std::u16string units_;
};

}  // namespace platform
