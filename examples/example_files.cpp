#include "examples/example_files.h"

#include <string>

#include "base/gbk_text.h"
#include "library/example_file_name.h"

namespace examples {
namespace {

// Beyond this many numbered names in one folder the name is given up rather than searched on.
constexpr int kHighestNumber = 100000;

// `name` without every ".e", either case. A "." is always a character of its own, and so
// is the byte after it.
gbk::Text withoutDotE(std::string_view name) {
  gbk::Text stem;
  for (std::size_t pos = 0; pos < name.size();) {
    if (name[pos] == '.' && pos + 1 < name.size() && (name[pos + 1] == 'e' || name[pos + 1] == 'E')) {
      pos += 2;
      continue;
    }
    std::size_t length = gbk::charLength(name, pos);
    stem.append(name.substr(pos, length));
    pos += length;
  }
  return stem;
}

bool endsInDotE(const platform::Path& path) {
  const std::u16string& units = path.units();
  return units.size() >= 2 && units[units.size() - 2] == u'.' && (units.back() == u'e' || units.back() == u'E');
}

std::u16string decimal(int k) {
  std::string digits = std::to_string(k);
  return {digits.begin(), digits.end()};
}

}  // namespace

platform::Path freePath(platform::Files& files, const platform::Path& folder, std::string_view name) {
  platform::Path path = folder + platform::Path::fromGbk(name);
  if (!files.exists(path)) return path;
  gbk::Text stem = withoutDotE(name);
  for (int k = 1; k <= kHighestNumber; ++k) {
    // Numbering can make a device name of a harmless one ("co.em" gives "com1.e").
    path = folder + platform::Path::fromGbk(library::safeFileName(stem + std::to_string(k) + ".e"));
    if (!files.exists(path)) return path;
  }
  return {};
}

platform::Path ideProgramPath(const platform::Path& programFolder) {
  std::u16string folder = programFolder.units();
  if (!folder.empty() && folder.back() == u'\\') folder.pop_back();
  std::size_t separator = folder.rfind(u'\\');
  if (separator == std::u16string::npos) return {};
  return platform::Path(folder.substr(0, separator + 1) + u"e.exe");
}

bool writeWholeFile(platform::Files& files, const platform::Path& path, std::string_view bytes, Replace replace) {
  platform::Path temporary;
  for (int k = 1; k <= kHighestNumber && temporary.empty(); ++k) {
    platform::Path candidate = path + u"." + decimal(k) + u".tmp";
    if (!files.exists(candidate)) temporary = std::move(candidate);
  }
  if (temporary.empty()) return false;
  if (files.createNew(temporary, bytes) && files.rename(temporary, path, replace == Replace::existingFile)) return true;
  files.remove(temporary);
  return false;
}

void startIde(platform::Files& files, platform::Shell& shell, const platform::Path& path) {
  platform::Path ide = ideProgramPath(shell.programFolder());
  if (!ide.empty() && files.exists(ide)) {
    shell.run(ide, path.units());
  } else if (endsInDotE(path)) {
    shell.run(path, {});
  }
}

}  // namespace examples
