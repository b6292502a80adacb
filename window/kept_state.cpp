#include "window/kept_state.h"

#include <array>
#include <charconv>
#include <string>

namespace window {
namespace {

constexpr std::string_view kFirstLine = "kelvane-api-wizard-state 1";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kLastLine = "end";
// A window's place, in pixels, lies well within these on any screen.
constexpr int kFarthestCoordinate = 100000;

// The words of the layout, each with the value it stands for.
constexpr std::array<std::pair<std::string_view, library::DeclarationKind>, 2> kKindWords{{
    {"api", library::DeclarationKind::dllCommand},
    {"type", library::DeclarationKind::dataType},
}};

std::string_view kindWord(library::DeclarationKind kind) {
  return kind == library::DeclarationKind::dataType ? "type" : "api";
}

std::string_view languageWord(bool english) { return english ? "english" : "chinese"; }

// The first word of `rest`, which loses it and the one space after it.
std::string_view takeWord(std::string_view& rest) {
  const std::size_t space = rest.find(' ');
  std::string_view word = rest.substr(0, space);
  rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
  return word;
}

std::optional<int> coordinate(std::string_view word) {
  int value = 0;
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc{} || end != word.data() + word.size() || word.empty() || word[0] == '+') return std::nullopt;
  if (value < -kFarthestCoordinate || value > kFarthestCoordinate) return std::nullopt;
  return value;
}

// Well-formed GBK with no control character: one byte below 0x80, or a lead byte and a
// trail byte as code page 936 pairs them.
bool isName(std::string_view name) {
  if (name.empty() || name.size() > kLongestKeptName) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (byte < 0x20 || byte == 0x7F || byte == 0x80 || byte == 0xFF) return false;
    if (byte < 0x80) continue;
    if (++i == name.size()) return false;
    const auto trail = static_cast<unsigned char>(name[i]);
    if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return false;
  }
  return true;
}

std::optional<KeptItem> item(std::string_view rest) {
  const std::string_view kind = takeWord(rest);
  for (const auto& [word, value] : kKindWords) {
    if (kind == word && isName(rest)) return KeptItem{value, gbk::Text(rest), false};
  }
  return std::nullopt;
}

std::optional<bool> english(std::string_view rest) {
  if (rest == "chinese") return false;
  if (rest == "english") return true;
  return std::nullopt;
}

// Reads one line (its key already taken) into `state`; false when it breaks the layout.
// `seen` holds the keys read before, each of which may come once.
bool readLine(std::string_view key, std::string_view rest, KeptState& state, std::vector<std::string_view>& seen) {
  if (key == "chosen") {
    if (state.chosen.size() == kMostKeptItems) return false;
    const std::string_view tick = takeWord(rest);
    std::optional<KeptItem> chosen = item(rest);
    if (!chosen || (tick != "ticked" && tick != "unticked")) return false;
    chosen->ticked = tick == "ticked";
    state.chosen.push_back(std::move(*chosen));
    return true;
  }
  for (std::string_view before : seen) {
    if (before == key) return false;
  }
  seen.push_back(key);
  if (key == "window") {
    std::array<std::optional<int>, 4> values;
    for (auto& value : values) value = coordinate(takeWord(rest));
    for (const auto& value : values) {
      if (!value) return false;
    }
    if (!rest.empty() || *values[2] <= 0 || *values[3] <= 0) return false;
    state.windowPlace = platform::Rect{*values[0], *values[1], *values[2], *values[3]};
    return true;
  }
  if (key == "view") {
    state.onView = item(rest);
    return state.onView.has_value();
  }
  for (auto [listKey, field] : {std::pair{"tree", &KeptState::englishTree}, std::pair{"index", &KeptState::englishIndex},
                                std::pair{"search", &KeptState::englishSearch}}) {
    if (key != listKey) continue;
    std::optional<bool> chosenEnglish = english(rest);
    if (!chosenEnglish) return false;
    state.*field = *chosenEnglish;
    return true;
  }
  return false;
}

void appendItem(gbk::Text& out, const KeptItem& item) {
  out += kindWord(item.kind);
  out += ' ';
  out += item.name;
  out += kLineEnd;
}

}  // namespace

gbk::Text writeKeptState(const KeptState& state) {
  gbk::Text out(kFirstLine);
  out += kLineEnd;
  if (const auto& place = state.windowPlace) {
    out += "window " + std::to_string(place->left) + ' ' + std::to_string(place->top) + ' ' +
           std::to_string(place->width) + ' ' + std::to_string(place->height);
    out += kLineEnd;
  }
  for (auto [key, english] : {std::pair{"tree ", state.englishTree}, std::pair{"index ", state.englishIndex},
                              std::pair{"search ", state.englishSearch}}) {
    out += key;
    out += languageWord(english);
    out += kLineEnd;
  }
  if (state.onView) {
    out += "view ";
    appendItem(out, *state.onView);
  }
  for (const KeptItem& chosen : state.chosen) {
    out += chosen.ticked ? "chosen ticked " : "chosen unticked ";
    appendItem(out, chosen);
  }
  out += kLastLine;
  out += kLineEnd;
  return out;
}

std::optional<KeptState> readKeptState(std::string_view bytes) {
  if (bytes.size() > kLargestKeptFile) return std::nullopt;
  KeptState state;
  std::vector<std::string_view> seen;
  bool first = true;
  bool ended = false;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find(kLineEnd);
    if (end == std::string_view::npos) return std::nullopt;  // cut short
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end + kLineEnd.size());
    if (first) {
      if (line != kFirstLine) return std::nullopt;
      first = false;
      continue;
    }
    if (ended) return std::nullopt;  // nothing after the end
    if (line == kLastLine) {
      ended = true;
      continue;
    }
    const std::string_view key = takeWord(line);
    if (!readLine(key, line, state, seen)) return std::nullopt;
  }
  if (!ended) return std::nullopt;
  // The tick of the item on view is not kept.
  if (state.onView) state.onView->ticked = false;
  return state;
}

}  // namespace window
