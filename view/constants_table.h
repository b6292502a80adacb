// The constants form: the constants that the declaration on view names in its comments
// and in its data types' comments, as a table of name, value (decimal and hexadecimal),
// the parameter that takes it and comment in `高级表格_常量`, by parameter; the status
// bar's last part counts them.
#pragma once

#include <span>
#include <string_view>

#include "library/constants.h"
#include "platform/grid.h"
#include "view/grid_renderer.h"

namespace window {
class StartupWindow;
}

namespace view {

// A heading row "常量名称" / "常量值" / "十六进制" / "参数" / "备注", then one row per
// constant in the given order.
void renderConstants(const GridRenderer& renderer, platform::Grid& grid,
                     std::span<const library::ConstantLibrary::Taken> constants);

// The constants that `declarationText` (a declaration followed by the texts of its data
// types) names, rendered into `高级表格_常量` and counted in the status bar.
void showConstantsOf(window::StartupWindow& w, const library::ConstantLibrary& library,
                     std::string_view declarationText);

// No declaration on view: the table becomes one empty white cell, the count goes.
void showNoConstants(window::StartupWindow& w);

}  // namespace view
