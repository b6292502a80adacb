// Text operations on GBK byte strings.
//
// Every text in the wizard is GBK (code page 936): a byte 0x81..0xFE followed by
// another byte is one double-byte character, any other byte is a character of its
// own. Positions and lengths count bytes, positions are 1-based, and no operation
// ever cuts a double-byte character in two.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gbk {

using Text = std::string;

constexpr int kNotFound = -1;

// Byte length of the character that starts at `pos` (1 or 2).
std::size_t charLength(std::string_view text, std::size_t pos);

// Whether `pos` begins a character, given that `known` (at or before it) does.
bool beginsCharacter(std::string_view text, std::size_t known, std::size_t pos);

// The pieces between occurrences of `delimiter`, matched at character boundaries only.
// Empty pieces remain, except one at the very end; an empty text gives no pieces.
std::vector<Text> split(std::string_view text, std::string_view delimiter);

// Removes leading and trailing half-width (0x20) and full-width (A1 A1) spaces.
Text trim(std::string_view text);

// 1-based position of the first occurrence of `what` at or after `start`,
// matching at character boundaries, letter case significant; kNotFound if none.
int find(std::string_view text, std::string_view what, int start = 1);
bool contains(std::string_view text, std::string_view what);

// Like contains, but a single-byte ASCII letter matches either case; every other
// character, double-byte ones whole, matches exactly.
// An empty `what` is contained in every non-empty text and in no empty text.
bool containsIgnoringAsciiCase(std::string_view text, std::string_view what);

// The first n, the last n, or n bytes from 1-based `start`, clipped to the text and
// to character boundaries; empty when n <= 0 or start lies outside the text.
Text left(std::string_view text, int n);
Text right(std::string_view text, int n);
Text middle(std::string_view text, int start, int n);

// Starts with `prefix`, single-byte ASCII letters compared without case.
bool startsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix);

}  // namespace gbk
