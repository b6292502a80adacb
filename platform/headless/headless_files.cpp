#include "platform/headless/headless_files.h"

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

bool HeadlessFiles::write(std::string_view path, std::string_view bytes) {
  if (held(path) || unwritable.contains(path)) return false;
  contents.insert_or_assign(std::string(path), std::string(bytes));
  return true;
}

std::unique_ptr<HeldFile> HeadlessFiles::holdExclusive(std::string_view path) {
  auto file = contents.find(path);
  if (file == contents.end() || held(path)) return nullptr;
  return std::make_unique<HeadlessHeldFile>(file->first, file->second, heldPaths);
}

}  // namespace platform::headless
