// The fuzzing properties of the examples database reader and of the wizard's uses of it,
// natively: a short seeded mutation run, and every input kept in
// tests/data/example_database_fuzz (the libFuzzer seeds and whatever it once found).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "tests/example_database_test_support.h"
#include "tests/fuzz/example_wizard_checks.h"

namespace {

using examples::fuzzing::FilePair;

TEST(DamagedExampleDatabase, MutatedFilesKeepEveryReadWithinBounds) {
  std::mt19937 random(20261207);
  auto below = [&](std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  const examples::WrittenDatabase written = examples::fixtures::writeExamples(examples::fixtures::threeExamples());
  int opened = 0;
  int refused = 0;
  for (int round = 0; round < 3000; ++round) {
    FilePair files{written.database, written.auxiliary};
    for (std::size_t step = 0, steps = 1 + below(3); step < steps; ++step) {
      std::string& bytes = below(2) ? files.database : files.auxiliary;
      if (bytes.empty()) continue;
      std::size_t at = below(bytes.size());
      switch (below(5)) {
        case 0: bytes[at] = static_cast<char>(bytes[at] ^ (1 << below(8))); break;
        case 1: {  // an int32 overwritten with a telling value, or nudged
          const std::int64_t values[] = {0, 1, -1, 500, 501, 0x7FFFFFFF, static_cast<std::int64_t>(random())};
          if (at + 4 > bytes.size()) break;
          examples::fixtures::putInt32(
              bytes, at,
              below(2) ? values[below(7)]
                       : examples::fixtures::int32At(bytes, at) + static_cast<std::int64_t>(below(9)) - 4);
          break;
        }
        case 2: bytes.resize(at); break;
        case 3: bytes.insert(at, below(8) + 1, static_cast<char>(random())); break;
        case 4: bytes.erase(at, below(16) + 1); break;
      }
    }
    bool open = false;
    const char* broken = examples::fuzzing::checkDatabaseAndUses(files, open);
    ASSERT_EQ(broken, nullptr) << broken << " (round " << round << ")";
    (open ? opened : refused) += 1;
  }
  // Both outcomes occur, so both halves of the properties were exercised.
  EXPECT_GT(opened, 100);
  EXPECT_GT(refused, 100);
}

TEST(DamagedExampleDatabase, KeptFuzzInputsKeepEveryReadWithinBounds) {
  int inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(EXAMPLE_DATABASE_FUZZ_INPUTS)) {
    std::ifstream file(entry.path(), std::ios::binary);
    std::string input((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    bool open = false;
    const char* broken = examples::fuzzing::checkDatabaseAndUses(examples::fuzzing::splitInput(input), open);
    EXPECT_EQ(broken, nullptr) << broken << " (" << entry.path().filename() << ")";
    ++inputs;
  }
  EXPECT_GT(inputs, 0);
}

}  // namespace
