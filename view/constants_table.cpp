#include "view/constants_table.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "library/declaration_syntax.h"
#include "window/startup_window.h"

namespace view {
namespace {

constexpr int kColumns = 5;
constexpr std::size_t kCountPart = 2;

// A flag's bits read best in hexadecimal: "-1" is 0xFFFFFFFF.
std::string hexadecimal(std::string_view decimal) {
  std::int64_t value = 0;
  if (std::from_chars(decimal.data(), decimal.data() + decimal.size(), value).ec != std::errc{}) return {};
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(static_cast<std::uint32_t>(value)));
  return text;
}

// What takes the constants that a declaration line names: its parameter or member, or,
// for the command's own line, whose comment says what it returns, its return value.
std::string_view takerOf(std::string_view line) {
  if (line.starts_with(library::kDllCommandHeader)) return "返回值";
  if (!line.starts_with(library::kBodyIndent)) return {};
  line.remove_prefix(library::kBodyIndent.size());
  for (std::string_view lead : {library::kParameterLead, library::kMemberLead}) {
    if (line.starts_with(lead)) return line.substr(lead.size(), line.find(',') - lead.size());
  }
  return {};
}

}  // namespace

void renderConstants(const GridRenderer& renderer, platform::Grid& grid,
                     std::span<const library::ConstantLibrary::Taken> constants) {
  renderer.resetGrid(grid, kColumns);
  int column = 0;
  for (std::string_view heading : {"常量名称", "常量值", "十六进制", "参数", "备注"}) {
    renderer.putText(grid, 0, column++, heading, view::heading());
  }
  for (const library::ConstantLibrary::Taken& taken : constants) {
    if (!grid.appendRow("")) break;
    renderer.putText(grid, -1, 0, taken.constant->name, coloured(kNameText));
    renderer.putText(grid, -1, 1, taken.constant->value, coloured(kFlagText));
    renderer.putText(grid, -1, 2, hexadecimal(taken.constant->value), coloured(kFlagText));
    renderer.putText(grid, -1, 3, takerOf(taken.line), coloured(kNameText));
    renderer.putText(grid, -1, 4, taken.constant->comment, coloured(kCommentText));
  }
}

void showConstantsOf(window::StartupWindow& w, const library::ConstantLibrary& library,
                     std::string_view declarationText) {
  const std::vector<library::ConstantLibrary::Taken> constants = library.takenBy(declarationText);
  renderConstants(GridRenderer(w.画板1), w.高级表格_常量, constants);
  w.状态条.setPartText(kCountPart, "常量：" + std::to_string(constants.size()) + "个");
}

void showNoConstants(window::StartupWindow& w) {
  blankGrid(w.高级表格_常量);
  w.状态条.setPartText(kCountPart, "");
}

}  // namespace view
