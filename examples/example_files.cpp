#include "examples/example_files.h"

#include <string>

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

// Byte position of the last "\" character (never a trail byte), or npos.
std::size_t lastBackslash(std::string_view path) {
  std::size_t found = std::string_view::npos;
  for (std::size_t pos = 0; pos < path.size(); pos += gbk::charLength(path, pos)) {
    if (path[pos] == '\\') found = pos;
  }
  return found;
}

bool endsInBackslash(std::string_view path) {
  return !path.empty() && lastBackslash(path) == path.size() - 1;
}

}  // namespace

gbk::Text withTrailingBackslash(std::string_view folder) {
  gbk::Text result(folder);
  if (!endsInBackslash(folder)) result += '\\';
  return result;
}

gbk::Text freePath(platform::Files& files, std::string_view folder, std::string_view name) {
  gbk::Text path = gbk::Text(folder).append(name);
  if (!files.exists(path)) return path;
  gbk::Text stem = withoutDotE(name);
  for (int k = 1; k <= kHighestNumber; ++k) {
    // Numbering can make a device name of a harmless one ("co.em" gives "com1.e").
    path = gbk::Text(folder).append(library::safeFileName(stem + std::to_string(k) + ".e"));
    if (!files.exists(path)) return path;
  }
  return {};
}

gbk::Text ideProgramPath(std::string_view programFolder) {
  std::string_view folder = programFolder;
  if (endsInBackslash(folder)) folder.remove_suffix(1);
  std::size_t separator = lastBackslash(folder);
  if (separator == std::string_view::npos) return {};
  return gbk::Text(folder.substr(0, separator + 1)) + "e.exe";
}

bool writeWholeFile(platform::Files& files, std::string_view path, std::string_view bytes, Replace replace) {
  gbk::Text temporary;
  for (int k = 1; k <= kHighestNumber && temporary.empty(); ++k) {
    gbk::Text candidate = gbk::Text(path) + "." + std::to_string(k) + ".tmp";
    if (!files.exists(candidate)) temporary = std::move(candidate);
  }
  if (temporary.empty()) return false;
  if (files.createNew(temporary, bytes) && files.rename(temporary, path, replace == Replace::existingFile)) return true;
  files.remove(temporary);
  return false;
}

void startIde(platform::Files& files, platform::Shell& shell, std::string_view path) {
  gbk::Text ide = ideProgramPath(shell.programFolder());
  if (!ide.empty() && files.exists(ide)) {
    shell.run(ide, path);
  } else if (library::hasExampleExtension(path)) {
    shell.run(path, {});
  }
}

}  // namespace examples
