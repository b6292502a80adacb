#include "platform/headless/headless_files.h"

#include <algorithm>

namespace platform::headless {
namespace {

class HeadlessHeldFile : public HeldFile {
 public:
  HeadlessHeldFile(std::string heldPath, const std::string& content, std::shared_ptr<std::set<std::string>> holds)
      : path(std::move(heldPath)), inPlace(content), heldPaths(std::move(holds)) {
    heldPaths->insert(path);
  }
  ~HeadlessHeldFile() override { heldPaths->erase(path); }
  std::span<const unsigned char> bytes() const override {
    return {reinterpret_cast<const unsigned char*>(inPlace.data()), inPlace.size()};
  }

 private:
  std::string path;
  const std::string& inPlace;
  std::shared_ptr<std::set<std::string>> heldPaths;
};

}  // namespace

bool HeadlessFiles::exists(std::string_view path) { return contents.find(path) != contents.end(); }

bool HeadlessFiles::createNew(std::string_view path, std::string_view bytes) {
  std::string_view folder = path.substr(0, path.rfind('\\') + 1);
  if (exists(path) || unwritableFolders.contains(folder)) return false;
  std::size_t fitting = std::min(bytes.size(), room);
  room -= fitting;
  contents.emplace(std::string(path), std::string(bytes.substr(0, fitting)));
  return fitting == bytes.size();
}

bool HeadlessFiles::rename(std::string_view from, std::string_view to, bool replaceExisting) {
  auto file = contents.find(from);
  if (file == contents.end() || held(from) || held(to) || (exists(to) && !replaceExisting)) return false;
  std::string bytes = std::move(file->second);
  contents.erase(file);
  contents.insert_or_assign(std::string(to), std::move(bytes));
  return true;
}

bool HeadlessFiles::remove(std::string_view path) {
  auto file = contents.find(path);
  if (file == contents.end() || held(path)) return false;
  contents.erase(file);
  return true;
}

std::unique_ptr<HeldFile> HeadlessFiles::holdExclusive(std::string_view path) {
  auto file = contents.find(path);
  if (file == contents.end() || held(path)) return nullptr;
  return std::make_unique<HeadlessHeldFile>(file->first, file->second, heldPaths);
}

}  // namespace platform::headless
