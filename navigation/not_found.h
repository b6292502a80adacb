// What the status bar says when a find or a search finds nothing: one wording for all.
#pragma once

#include <string_view>

#include "base/gbk_text.h"

namespace navigation {

inline constexpr std::string_view kNothingFound = "未找到";

// "未找到：" and the text that found nothing.
inline gbk::Text notFound(std::string_view text) { return gbk::Text(kNothingFound) + "：" + gbk::Text(text); }

}  // namespace navigation
