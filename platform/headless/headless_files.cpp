#include "platform/headless/headless_files.h"

#include <algorithm>

namespace platform::headless {
namespace {

class HeadlessHeldFile : public HeldFile {
 public:
  HeadlessHeldFile(Path heldPath, const std::string& content, std::shared_ptr<std::set<Path>> holds)
      : path(std::move(heldPath)), inPlace(content), heldPaths(std::move(holds)) {
    heldPaths->insert(path);
  }
  ~HeadlessHeldFile() override { heldPaths->erase(path); }
  std::span<const unsigned char> bytes() const override {
    return {reinterpret_cast<const unsigned char*>(inPlace.data()), inPlace.size()};
  }

 private:
  Path path;
  const std::string& inPlace;
  std::shared_ptr<std::set<Path>> heldPaths;
};

}  // namespace

bool HeadlessFiles::exists(const Path& path) { return contents.find(path) != contents.end(); }

bool HeadlessFiles::createNew(const Path& path, std::string_view bytes) {
  Path folder(path.units().substr(0, path.units().rfind(u'\\') + 1));
  if (exists(path) || unwritableFolders.contains(folder)) return false;
  std::size_t fitting = std::min(bytes.size(), room);
  room -= fitting;
  contents.emplace(path, std::string(bytes.substr(0, fitting)));
  return fitting == bytes.size();
}

bool HeadlessFiles::rename(const Path& from, const Path& to, bool replaceExisting) {
  auto file = contents.find(from);
  if (file == contents.end() || held(from) || held(to) || (exists(to) && !replaceExisting)) return false;
  std::string bytes = std::move(file->second);
  contents.erase(file);
  contents.insert_or_assign(to, std::move(bytes));
  return true;
}

bool HeadlessFiles::remove(const Path& path) {
  auto file = contents.find(path);
  if (file == contents.end() || held(path)) return false;
  contents.erase(file);
  return true;
}

Hold HeadlessFiles::holdExclusive(const Path& path) {
  auto file = contents.find(path);
  if (file == contents.end()) return {nullptr, HoldFault::missing};
  if (held(path)) return {nullptr, HoldFault::inUse};
  return {std::make_unique<HeadlessHeldFile>(file->first, file->second, heldPaths), HoldFault::none};
}

Read HeadlessFiles::readAtMost(const Path& path, std::size_t largest) {
  auto file = contents.find(path);
  if (file == contents.end()) return {{}, HoldFault::missing};
  if (held(path)) return {{}, HoldFault::inUse};
  if (file->second.size() > largest) return {{}, HoldFault::unreadable};
  return {file->second, HoldFault::none};
}

}  // namespace platform::headless
