// The examples database that the build makes from data/examples, read as the wizard reads it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "examples/example_database.h"
#include "library/program_image.h"
#include "platform/headless/headless_files.h"

namespace {

std::string fileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

int manifestExamples() {
  std::ifstream manifest(std::filesystem::path(EXAMPLES_FOLDER) / "manifest.txt");
  int examples = 0;
  for (std::string line; std::getline(manifest, line);) examples += !line.empty() && line[0] != '#';
  return examples;
}

TEST(ShippedExamples, EveryManifestLineIsARecordWithItsProgram) {
  const std::filesystem::path built(BUILT_EXAMPLES_FOLDER);
  platform::headless::HeadlessFiles files;
  files.contents[u"API例程.edb"] = fileBytes(built / u8"API例程.edb");
  files.contents[u"API例程.EDT"] = fileBytes(built / u8"API例程.EDT");
  examples::ExampleDatabase db;
  ASSERT_EQ(db.open(files, u"API例程.edb"), examples::OpenFault::none);
  EXPECT_EQ(db.recordCount(), manifestExamples());
  for (std::int32_t record = 1; record <= db.recordCount(); ++record) {
    db.goTo(record);
    std::string name = db.readField(1).bytes;
    EXPECT_TRUE(name.ends_with(".e")) << record;
    EXPECT_TRUE(db.readField(2).bytes.ends_with("/")) << name;
    library::ImageReading program = library::readProgramImage(db.readField(3).bytes);
    ASSERT_TRUE(program.ok()) << name << ": " << library::describe(program.error);
    EXPECT_FALSE(program.image.programSets.empty()) << name;
  }
}

}  // namespace
