#pragma once

#include <string_view>

namespace library {

// The 13 type names that need no data type declaration, the empty one included.
// "双精度小数" stands without a final "型", so "双精度小数型" is not basic.
bool isBasicTypeName(std::string_view name);

}  // namespace library
