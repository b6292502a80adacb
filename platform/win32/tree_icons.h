// The three images of the category tree's image list, drawn as pixel art: one letter
// a pixel, coloured by the palette below; '.' lets the tree's background through.
//   0  a closed book (a collapsed top-level node)
//   1  a page with a question mark (an API or a data type)
//   2  an open book (an expanded top-level node)
// Plain constexpr data: the compiler checks every picture (the static_assert at the end).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform::win32::tree_icons {

inline constexpr int kWidth = 16;
inline constexpr int kHeight = 15;
inline constexpr char kTransparent = '.';

struct PaletteEntry {
  char letter;
  std::uint32_t colour;  // 0x00BBGGRR, as Windows colour values
};

inline constexpr std::array<PaletteEntry, 9> kPalette{{
    {'k', 0x302020},  // outline
    {'B', 0xAA542E},  // cover
    {'b', 0xD78C60},  // cover, lit
    {'d', 0x703018},  // spine and cover's shadow
    {'W', 0xFFFFFF},  // paper
    {'g', 0xB0B0B0},  // page edges, the page's folded corner
    {'Y', 0x3CBEE6},  // label on the cover
    {'R', 0x2828C8},  // the question mark
    {'L', 0xBE9696},  // lines of writing
}};

using Picture = std::array<std::string_view, kHeight>;

inline constexpr std::array<Picture, 3> kImages{{
    {{
        "................",
        "...kkkkkkkkkkkk.",
        "..kdBBBBBBBBBBk.",
        "..kdBbbbbbbbbBk.",
        "..kdBbYYYYYYbBk.",
        "..kdBbYkkkkYbBk.",
        "..kdBbYYYYYYbBk.",
        "..kdBbbbbbbbbBk.",
        "..kdBbbbbbbbbBk.",
        "..kdBbbbbbbbbBk.",
        "..kdBBBBBBBBBBk.",
        "..kdkkkkkkkkkkkk",
        "..kdWWWWWWWWWWgk",
        "..kdggggggggggk.",
        "...kkkkkkkkkkk..",
    }},
    {{
        "..kkkkkkkkk.....",
        "..kWWWWWWWkk....",
        "..kWWWWWWWkgk...",
        "..kWWWWWWWkggk..",
        "..kWWWWWWWkkkkk.",
        "..kWWWRRRRWWWWk.",
        "..kWWRRWWRRWWWk.",
        "..kWWWWWWRRWWWk.",
        "..kWWWWWRRWWWWk.",
        "..kWWWWRRWWWWWk.",
        "..kWWWWRRWWWWWk.",
        "..kWWWWWWWWWWWk.",
        "..kWWWWRRWWWWWk.",
        "..kWWWWRRWWWWWk.",
        "..kkkkkkkkkkkkk.",
    }},
    {{
        "................",
        "................",
        "................",
        ".kkkk......kkkk.",
        "kWWWWkk..kkWWWWk",
        "kWLLLWWkkWWLLLWk",
        "kWWWWWWkkWWWWWWk",
        "kWLLLLWkkWLLLLWk",
        "kWWWWWWkkWWWWWWk",
        "kWLLLLWkkWLLLLWk",
        "kWWWWWWkkWWWWWWk",
        "kkkkWWWkkWWWkkkk",
        "kBBBkkkkkkkkBBBk",
        "kddddddkkddddddk",
        ".kkkkkkkkkkkkkk.",
    }},
}};

// The colour of a letter; none for the transparent letter or one outside the palette.
constexpr std::optional<std::uint32_t> colourOf(char letter) {
  for (const PaletteEntry& entry : kPalette) {
    if (entry.letter == letter) return entry.colour;
  }
  return std::nullopt;
}

// Every row as wide as the picture, every letter transparent or in the palette.
constexpr bool picturesAreWellFormed() {
  for (const Picture& picture : kImages) {
    for (std::string_view row : picture) {
      if (row.size() != static_cast<std::size_t>(kWidth)) return false;
      for (char letter : row) {
        if (letter != kTransparent && !colourOf(letter)) return false;
      }
    }
  }
  return true;
}
static_assert(picturesAreWellFormed(), "a tree picture has a row of the wrong width or an unknown letter");

}  // namespace platform::win32::tree_icons
