// The API catalog: one line per DLL command, "English,category,Chinese[,data type...]".
#pragma once

#include <string_view>
#include <vector>

#include "library/gbk_text.h"

namespace library {

// The catalog line list: the catalog split at CR LF (no empty piece after the last line).
std::vector<gbk::Text> buildCatalogLineList(std::string_view catalogText);

// The entry name that the DLL command block of a catalog English name gives: the English
// name itself, except for the few that no DLL exports, whose blocks name the export that
// exists so that an imported declaration resolves when the program runs. (The word and
// byte helpers hibyte, hiword, lobyte and loword keep their names: no DLL exports them
// under any name, and their comments say what to write instead.)
std::string_view exportedEntryName(std::string_view englishName);

}  // namespace library
