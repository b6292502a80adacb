// The API catalog: one line per DLL command, "English,category,Chinese[,data type...]",
// parsed once into typed entries. No other code splits a catalog line.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/gbk_text.h"

namespace library {

// The fields are views of the catalog's text, which the catalog keeps.
struct CatalogEntry {
  std::string_view line;         // the line as it stands: the API search looks anywhere in it
  std::string_view englishName;  // the name the examples' field 2 and the import use
  // One of the hand-written library's categories, or for a declaration generated from
  // the SDK headers the DLL file that exports it ("user32.dll").
  std::string_view category;
  // The key of the DLL command declaration: a Chinese name, or for a generated
  // declaration the English name with "_" after it.
  std::string_view chineseName;
  // The data types that the parameters use, in order of first use; an untyped parameter
  // gives an empty name (none when it is the last: an empty last field is dropped).
  std::span<const std::string_view> dataTypeNames;

  // Generated from the SDK headers: its name is the English name and "_", and it is
  // filed under its DLL.
  bool generated() const;
  // The name that lists show where Chinese names are chosen, or English ones: a
  // generated entry has no Chinese name and shows its English one either way.
  std::string_view shownName(bool chineseNames) const {
    return chineseNames && !generated() ? chineseName : englishName;
  }
};

// Entry n (1-based) is line n of the catalog text; lines end in CR LF. Fields are split
// at ",": an empty field between two commas is kept, an empty last field is dropped, and
// a line of fewer than three fields is no entry. Read in one pass, with one allocation
// for the text, one for the entries and one for their data type names.
class Catalog {
 public:
  Catalog() = default;
  explicit Catalog(std::string_view catalogText);
  // The entries point into the catalog's own storage: a copy would point into another's.
  // The built-in catalog, as the build read it: nothing is split at run time.
  static Catalog builtIn();
  Catalog(Catalog&&) = default;
  Catalog& operator=(Catalog&&) = default;
  Catalog(const Catalog&) = delete;
  Catalog& operator=(const Catalog&) = delete;

  // The text the entries are views of.
  std::string_view text() const { return text_; }
  // Lines, counted with those that are no entry: the highest entry number.
  std::int32_t size() const { return static_cast<std::int32_t>(entries_.size()); }
  // Entry `number`, or null outside 1 … size() and for a line that is no entry. Entry
  // numbers come only from the fills, so null means an internal error, never a reason
  // to read out of bounds.
  const CatalogEntry* entry(std::int32_t number) const;
  // The entry numbers in the order of the names that the index lists (shownName, in the
  // one sort order; equal names in the catalog's order). With Chinese names the
  // hand-written entries come first and the generated ones, by English name, after them.
  std::span<const std::int32_t> indexOrder(bool chineseNames) const { return indexOrder_[chineseNames]; }
  // How many entries have a Chinese name of their own: the first ones of the Chinese index order.
  std::int32_t handWrittenCount() const;
  // The content of the category tree with Chinese labels, the tree shown at start, as the
  // build made it (navigation/category_tree_content.h); empty but for the built-in catalog.
  std::string_view chineseTree() const { return chineseTree_; }

 private:
  void sortIndexOrders();

  std::unique_ptr<const std::string> ownText_;  // none for the built-in text, which lasts
  std::string_view text_;
  std::vector<std::string_view> dataTypeNames_;
  std::vector<std::optional<CatalogEntry>> entries_;
  std::vector<std::int32_t> ownIndexOrders_[2];  // none for the built-in catalog
  std::span<const std::int32_t> indexOrder_[2];  // by English, by Chinese names
  std::string_view chineseTree_;
};

// The entry name that the DLL command block of a catalog English name gives: the English
// name itself, except for the few that no DLL exports, whose blocks name the export that
// exists so that an imported declaration resolves when the program runs. (The word and
// byte helpers hibyte, hiword, lobyte and loword keep their names: no DLL exports them
// under any name, and their comments say what to write instead.)
std::string_view exportedEntryName(std::string_view englishName);

}  // namespace library
