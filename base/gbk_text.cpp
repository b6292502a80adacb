#include "base/gbk_text.h"

#include <algorithm>

namespace gbk {
namespace {

bool isLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// `a` and `b` are as long as each other and both begin a character. Only a single-byte
// character is folded: a double-byte one compares exactly, its trail byte too, since a
// trail byte that looks like a letter is part of another character (長 E9 4C, 閘 E9 6C).
bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (isLeadByte(static_cast<unsigned char>(a[i]))) {
      if (a[i] != b[i] || (i + 1 < a.size() && a[i + 1] != b[i + 1])) return false;
      ++i;
    } else if (asciiLower(a[i]) != asciiLower(b[i])) {
      return false;
    }
  }
  return true;
}

// The first character boundary at or after `target`.
std::size_t boundaryAtOrAfter(std::string_view text, std::size_t target) {
  std::size_t pos = 0;
  while (pos < target && pos < text.size()) pos += charLength(text, pos);
  return pos;
}

// The last character boundary at or before `target`.
std::size_t boundaryAtOrBefore(std::string_view text, std::size_t target) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t next = pos + charLength(text, pos);
    if (next > target) break;
    pos = next;
  }
  return pos;
}

bool isAsciiLetter(char c) { return asciiLower(c) != c || (c >= 'a' && c <= 'z'); }

}  // namespace

// A byte outside the lead range always ends a character, so the lead-range bytes just
// before `pos` pair up from the first of them: a walk back over them, not from the text's start.
bool beginsCharacter(std::string_view text, std::size_t known, std::size_t pos) {
  std::size_t runStart = pos;
  while (runStart > known && isLeadByte(static_cast<unsigned char>(text[runStart - 1]))) --runStart;
  return (pos - runStart) % 2 == 0;
}

std::size_t charLength(std::string_view text, std::size_t pos) {
  return (isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
}

std::vector<Text> split(std::string_view text, std::string_view delimiter) {
  std::vector<Text> pieces;
  if (text.empty()) return pieces;
  if (delimiter.empty()) return {Text(text)};
  // The delimiter's occurrences, taken where a walk over the characters from the last
  // piece's start would meet them.
  std::size_t pieceStart = 0;
  for (std::size_t at = text.find(delimiter); at != std::string_view::npos; at = text.find(delimiter, at + 1)) {
    if (at < pieceStart || !beginsCharacter(text, pieceStart, at)) continue;
    pieces.emplace_back(text.substr(pieceStart, at - pieceStart));
    pieceStart = at + delimiter.size();
  }
  if (pieceStart < text.size()) pieces.emplace_back(text.substr(pieceStart));
  return pieces;
}

Text trim(std::string_view text) {
  constexpr std::string_view kFullWidthSpace = "\xA1\xA1";
  std::size_t begin = 0;
  while (begin < text.size()) {
    if (text[begin] == ' ') {
      begin += 1;
    } else if (text.substr(begin, 2) == kFullWidthSpace) {
      begin += 2;
    } else {
      break;
    }
  }
  // Trailing spaces are found by walking the characters, so that the trail byte of
  // some other character followed by A1 is never mistaken for a full-width space.
  std::size_t end = begin;
  for (std::size_t pos = begin; pos < text.size();) {
    std::size_t len = charLength(text, pos);
    bool space = (len == 1 && text[pos] == ' ') || text.substr(pos, len) == kFullWidthSpace;
    pos += len;
    if (!space) end = pos;
  }
  return Text(text.substr(begin, end - begin));
}

int find(std::string_view text, std::string_view what, int start) {
  if (start < 1) start = 1;
  if (static_cast<std::size_t>(start) > text.size()) return kNotFound;
  // Byte search for candidates; a candidate counts only where a character begins.
  std::size_t boundary = boundaryAtOrAfter(text, static_cast<std::size_t>(start - 1));
  while (boundary < text.size()) {
    std::size_t candidate = text.find(what, boundary);
    if (candidate == std::string_view::npos) return kNotFound;
    while (boundary < candidate) boundary += charLength(text, boundary);
    if (boundary == candidate) return static_cast<int>(candidate) + 1;
  }
  return kNotFound;
}

bool contains(std::string_view text, std::string_view what) { return find(text, what) != kNotFound; }

// The searches run this once per record and name, so candidates come from a byte search
// (memchr) for a byte of `what` that case cannot change, when it has one, and only a
// candidate that matches is checked for beginning a character.
bool containsIgnoringAsciiCase(std::string_view text, std::string_view what) {
  if (what.empty()) return !text.empty();
  if (what.size() > text.size()) return false;
  const std::size_t last = text.size() - what.size();  // the last place a match can begin
  const std::size_t anchor = static_cast<std::size_t>(
      std::find_if(what.begin(), what.end(), [](char c) { return !isAsciiLetter(c); }) - what.begin());
  const char first = asciiLower(what[0]);
  std::size_t known = 0;  // a character boundary at or before every candidate still to come
  for (std::size_t start = 0; start <= last; ++start) {
    if (anchor < what.size()) {
      std::size_t hit = text.find(what[anchor], start + anchor);
      if (hit == std::string_view::npos || hit - anchor > last) return false;
      start = hit - anchor;
    } else {
      while (start <= last && asciiLower(text[start]) != first) ++start;
      if (start > last) return false;
    }
    if (!sameIgnoringAsciiCase(text.substr(start, what.size()), what)) continue;
    if (beginsCharacter(text, known, start)) return true;
    known = start - 1;  // `start` is a trail byte, so its lead begins a character
  }
  return false;
}

Text left(std::string_view text, int n) {
  if (n <= 0) return {};
  return Text(text.substr(0, boundaryAtOrBefore(text, static_cast<std::size_t>(n))));
}

Text right(std::string_view text, int n) {
  if (n <= 0) return {};
  std::size_t count = std::min(text.size(), static_cast<std::size_t>(n));
  return Text(text.substr(boundaryAtOrAfter(text, text.size() - count)));
}

Text middle(std::string_view text, int start, int n) {
  if (n <= 0 || start < 1 || static_cast<std::size_t>(start) > text.size()) return {};
  std::size_t from = boundaryAtOrAfter(text, static_cast<std::size_t>(start - 1));
  std::size_t to = boundaryAtOrBefore(
      text, std::min(text.size(), static_cast<std::size_t>(start - 1) + static_cast<std::size_t>(n)));
  return to > from ? Text(text.substr(from, to - from)) : Text();
}

bool startsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && sameIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace gbk
