// The API catalog: one line per DLL command, "English,category,Chinese[,data type...]".
#pragma once

#include <string_view>
#include <vector>

#include "library/gbk_text.h"

namespace library {

// The catalog line list: the catalog split at CR LF (no empty piece after the last line).
std::vector<gbk::Text> buildCatalogLineList(std::string_view catalogText);

}  // namespace library
