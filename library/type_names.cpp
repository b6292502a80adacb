#include "library/type_names.h"

#include <algorithm>
#include <array>

namespace library {

bool isBasicTypeName(std::string_view name) {
  static constexpr std::array<std::string_view, 13> kBasic = {
      "",       "逻辑型", "字节型", "短整数型",   "整数型",     "长整数型", "双精度小数",
      "小数型", "文本型", "字节集", "日期时间型", "子程序指针", "备注型",
  };
  return std::find(kBasic.begin(), kBasic.end(), name) != kBasic.end();
}

}  // namespace library
