// Fixtures for the examples database tests: databases written in code, held by the
// in-memory files, and byte patches at the layout's offsets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "examples/example_database.h"
#include "platform/headless/headless_files.h"
#include "tests/path_printing.h"
#include "tools/example_database_writer.h"

namespace examples::fixtures {

// Offsets of the layout that the tests patch.
constexpr std::size_t kRecordCountAt = 16;
constexpr std::size_t kHeaderInt20At = 20;
constexpr std::size_t kRecordLengthAt = 24;
constexpr std::size_t kFieldCountAt = 112;
constexpr std::size_t kFirstDescriptorAt = 116;
constexpr std::size_t kDescriptorSize = 72;
constexpr std::size_t kBlockCountAt = 16;

inline void putInt32(std::string& bytes, std::size_t offset, std::int64_t value) {
  for (std::size_t i = 0; i < 4; ++i)
    bytes[offset + i] = static_cast<char>(static_cast<std::uint64_t>(value) >> (8 * i) & 0xFF);
}

inline std::int32_t int32At(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return static_cast<std::int32_t>(value);
}

inline std::size_t descriptorAt(int field) {
  return kFirstDescriptorAt + kDescriptorSize * static_cast<std::size_t>(field - 1);
}

inline WrittenDatabase writeExamples(const std::vector<ExampleRecord>& records) {
  WrittenDatabase written = writeExampleDatabase(records);
  EXPECT_TRUE(written.ok()) << written.error;
  return written;
}

// Three examples: the third one's source fills three blocks, the second has none.
inline std::vector<ExampleRecord> threeExamples() {
  std::string longSource;
  for (int i = 0; longSource.size() < 1200; ++i) longSource += "line " + std::to_string(i) + "\r\n";
  return {{"取窗口标题.e", "GetWindowTextA/SendMessageA/", std::string("source one\0with a NUL", 21)},
          {"空例程.e", "MessageBoxA/", ""},
          {"绘制文本.e", "ExtTextOutA/", longSource}};
}

class DatabaseFiles {
 public:
  explicit DatabaseFiles(const WrittenDatabase& written, platform::Path path = u"API例程.edb")
      : databasePath(std::move(path)) {
    files.contents.emplace(databasePath, written.database);
    if (!written.auxiliary.empty()) files.contents.emplace(auxiliaryFileName(databasePath), written.auxiliary);
  }
  std::string& database() { return files.contents.at(databasePath); }
  std::string& auxiliary() { return files.contents.at(auxiliaryFileName(databasePath)); }
  OpenFault open() { return db.open(files, databasePath); }

  platform::Path databasePath;
  platform::headless::HeadlessFiles files;
  ExampleDatabase db;
};

}  // namespace examples::fixtures
