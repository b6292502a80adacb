#include "library/example_file_name.h"

#include <array>

#include "base/gbk_codec.h"

namespace library {
namespace {

constexpr std::string_view kFullWidthSpace = "\xA1\xA1";

bool forbiddenInFileName(unsigned char c) {
  return c < 0x20 || c == 0x7F || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

bool isDeviceName(std::string_view name) {
  // The device is named by the part before the first dot, trailing spaces dropped.
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  static constexpr std::array<std::string_view, 6> kDevices{"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (std::string_view device : kDevices) {
    if (base.size() == device.size() && gbk::startsWithIgnoringAsciiCase(base, device)) return true;
  }
  return base.size() == 4 &&
         (gbk::startsWithIgnoringAsciiCase(base, "COM") || gbk::startsWithIgnoringAsciiCase(base, "LPT")) &&
         base[3] >= '0' && base[3] <= '9';
}

// Each run of two or more half- or full-width spaces as one half-width space: sixty
// spaces before ".bat" would push it out of sight in a list.
gbk::Text withSpacesCollapsed(std::string_view name) {
  gbk::Text collapsed;
  std::size_t runStart = 0;
  std::size_t runLength = 0;  // spaces just passed and not yet appended
  auto endRun = [&](std::size_t end) {
    if (runLength == 1) collapsed.append(name.substr(runStart, end - runStart));
    if (runLength > 1) collapsed += ' ';
    runLength = 0;
  };
  for (std::size_t pos = 0; pos < name.size();) {
    std::size_t length = gbk::charLength(name, pos);
    std::string_view character = name.substr(pos, length);
    if (character == " " || character == kFullWidthSpace) {
      if (runLength++ == 0) runStart = pos;
    } else {
      endRun(pos);
      collapsed.append(character);
    }
    pos += length;
  }
  endRun(name.size());
  return collapsed;
}

std::size_t characterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += gbk::charLength(text, pos)) ++count;
  return count;
}

}  // namespace

gbk::Text safeFileName(std::string_view name) {
  gbk::Text safe;
  for (std::size_t pos = 0; pos < name.size();) {
    std::size_t length = gbk::charLength(name, pos);
    // A lead byte that makes no character with the byte after it would take that byte
    // along when the name becomes a path ("\xFE." hides the dot of ".e"), and so would a
    // last one with whatever is appended: it becomes "_", and the next byte counts on its own.
    const bool lead = static_cast<unsigned char>(name[pos]) >= 0x81 && static_cast<unsigned char>(name[pos]) <= 0xFE;
    if (lead && (length == 1 || gbk::toUtf16(name.substr(pos, 2)) == u"\uFFFD")) {
      safe += '_';
      ++pos;
      continue;
    }
    bool forbidden = length == 1 && forbiddenInFileName(static_cast<unsigned char>(name[pos]));
    safe.append(forbidden ? std::string_view("_") : name.substr(pos, length));
    pos += length;
  }
  // Trail bytes are never dots or spaces, so this stops at a whole character.
  while (!safe.empty() && (safe.back() == '.' || safe.back() == ' ')) safe.pop_back();
  if (safe.empty()) return "_";
  return isDeviceName(safe) ? "_" + safe : safe;
}

bool hasExampleExtension(std::string_view name) {
  // No trail byte is a "." (they start at 0x40), so the last two bytes are two characters.
  return name.size() >= 2 && name[name.size() - 2] == '.' && (name.back() == 'e' || name.back() == 'E');
}

std::optional<gbk::Text> exampleFileName(std::string_view stored) {
  gbk::Text name = safeFileName(withSpacesCollapsed(stored));
  if (!hasExampleExtension(name)) name += ".e";
  if (characterCount(name) > kLongestFileName) return std::nullopt;
  return name;
}

}  // namespace library
