#include "base/gbk_codec.h"

#include <array>
#include <cstdint>
#include <memory>

namespace gbk {
namespace {

constexpr int kLeadCount = 0xFE - 0x81 + 1;
constexpr int kTrailCount = 0xFE - 0x40 + 1;

constexpr std::uint16_t kDoubleByte[kLeadCount * kTrailCount] = {
#include "base/gbk_table.inc"
};

// Code page 936 gives the single byte 0x80 to the euro sign.
constexpr char16_t kEuro = 0x20AC;

char16_t decodePair(unsigned char lead, unsigned char trail) {
  if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE) return 0;
  return kDoubleByte[(lead - 0x81) * kTrailCount + (trail - 0x40)];
}

// UTF-16 code unit -> GBK code (one byte below 0x100, else lead << 8 | trail); 0 = none.
const std::array<std::uint16_t, 0x10000>& encodeTable() {
  static const auto table = [] {
    auto t = std::make_unique<std::array<std::uint16_t, 0x10000>>();
    t->fill(0);
    for (int c = 1; c < 0x80; ++c) (*t)[c] = static_cast<std::uint16_t>(c);
    (*t)[kEuro] = 0x80;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
      for (int trail = 0x40; trail <= 0xFE; ++trail) {
        char16_t u = decodePair(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
        if (u != 0 && (*t)[u] == 0) (*t)[u] = static_cast<std::uint16_t>(lead << 8 | trail);
      }
    }
    return t;
  }();
  return *table;
}

bool appendCode(std::string& out, char32_t c) {
  if (c == 0) {
    out.push_back('\0');
    return true;
  }
  if (c > 0xFFFF) return false;
  std::uint16_t code = encodeTable()[c];
  if (code == 0) return false;
  if (code > 0xFF) out.push_back(static_cast<char>(code >> 8));
  out.push_back(static_cast<char>(code & 0xFF));
  return true;
}

}  // namespace

std::u16string toUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      out.push_back(b);
    } else if (b == 0x80) {
      out.push_back(kEuro);
    } else if (i + 1 < text.size() && b <= 0xFE) {
      char16_t u = decodePair(b, static_cast<unsigned char>(text[i + 1]));
      out.push_back(u != 0 ? u : u'\uFFFD');
      ++i;
    } else {
      out.push_back(u'\uFFFD');
    }
  }
  return out;
}

std::string fromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char16_t c : text) {
    if (!appendCode(out, c)) out.push_back('?');
  }
  return out;
}

std::optional<std::string> fromUtf8(std::string_view text, std::size_t* badOffset) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    auto b = static_cast<unsigned char>(text[i]);
    int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    bool ok = extra >= 0 && i + extra < text.size();
    for (int k = 1; ok && k <= extra; ++k) {
      auto cont = static_cast<unsigned char>(text[i + k]);
      ok = (cont & 0xC0) == 0x80;
      c = (c << 6) | (cont & 0x3F);
    }
    // The shortest form only: an overlong one (C0 80 for NUL) would smuggle in a character
    // that the text does not show, and a surrogate is no character.
    static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    ok = ok && c >= kLeast[extra] && (c < 0xD800 || c > 0xDFFF);
    if (!ok || !appendCode(out, c)) {
      if (badOffset) *badOffset = i;
      return std::nullopt;
    }
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::string toUtf8(std::string_view text) {
  std::string out;
  for (char16_t c : toUtf16(text)) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

}  // namespace gbk
