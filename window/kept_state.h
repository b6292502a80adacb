// What the wizard keeps for the user between runs, and the one layout of its file.
//
// The file is GBK text, lines ending in CR LF, in this order:
//   kelvane-api-wizard-state 1
//   window <left> <top> <width> <height>      the outer rectangle on the screen
//   tree|index|search chinese|english         the names each list shows
//   view api|type <name>                      the declaration on view
//   chosen ticked|unticked api|type <name>    one line per chosen item, in list order
//   end                                       so that a file cut short is known
// Every line but the first and the last may be missing; "chosen" is the only key that repeats. The
// file comes from disk and is read as hostile: anything outside this layout or its
// bounds rejects the whole file, and a name is only a name until the library finds it.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "base/gbk_text.h"
#include "library/program_image.h"
#include "platform/geometry.h"

namespace window {

// Larger files are not read: a list of every declaration of the library fits many times.
inline constexpr std::size_t kLargestKeptFile = std::size_t{1} << 20;
// More chosen items than the library holds declarations.
inline constexpr std::size_t kMostKeptItems = 8192;
// Longer than any name of the library.
inline constexpr std::size_t kLongestKeptName = 96;

struct KeptItem {
  library::DeclarationKind kind = library::DeclarationKind::dllCommand;
  gbk::Text name;
  bool ticked = false;
  bool operator==(const KeptItem&) const = default;
};

struct KeptState {
  std::optional<platform::Rect> windowPlace;
  bool englishTree = false;
  bool englishIndex = false;
  bool englishSearch = false;
  std::optional<KeptItem> onView;  // its tick means nothing
  std::vector<KeptItem> chosen;
  bool operator==(const KeptState&) const = default;
};

gbk::Text writeKeptState(const KeptState& state);

// The state the bytes hold; none for a file that is damaged, foreign, of another version
// or beyond the bounds above.
std::optional<KeptState> readKeptState(std::string_view bytes);

}  // namespace window
