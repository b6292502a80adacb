#include "stand_in_ide/command_line.h"

namespace stand_in_ide {
namespace {

constexpr std::wstring_view kBlanks = L" \t";

std::wstring_view trimmed(std::wstring_view text) {
  std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::wstring_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The program's name ends at its closing quote if it begins with one, else at the
// first blank (the rule by which Windows' own startup code splits it off).
std::wstring_view afterProgramName(std::wstring_view line) {
  if (line.starts_with(L'"')) {
    std::size_t close = line.find(L'"', 1);
    return close == std::wstring_view::npos ? std::wstring_view{} : line.substr(close + 1);
  }
  std::size_t blank = line.find_first_of(kBlanks);
  return blank == std::wstring_view::npos ? std::wstring_view{} : line.substr(blank);
}

}  // namespace

StartRequest readCommandLine(std::wstring_view commandLine) {
  std::wstring_view rest = trimmed(afterProgramName(commandLine));
  if (rest == L"/wizard") return {true, {}};
  // A path holds no quote, so quotes around the whole of it (as a shell adds them) go.
  if (rest.size() >= 2 && rest.starts_with(L'"') && rest.ends_with(L'"')) rest = rest.substr(1, rest.size() - 2);
  return {false, std::wstring(rest)};
}

}  // namespace stand_in_ide
