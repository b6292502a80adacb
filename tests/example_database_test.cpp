#include "examples/example_database.h"

#include <gtest/gtest.h>

#include <sys/mman.h>

#include <algorithm>
#include <bit>
#include <functional>

#include "base/gbk_text.h"
#include "tests/example_database_test_support.h"

namespace {

using examples::ExampleDatabase;
using examples::FieldType;
using examples::OpenFault;
using examples::ReadFault;
using namespace examples::fixtures;

TEST(ExampleDatabase, ReadsEachExampleByFieldNumberAndName) {
  DatabaseFiles files(writeExamples(threeExamples()));
  ASSERT_EQ(files.open(), OpenFault::none);
  ExampleDatabase& db = files.db;
  EXPECT_EQ(db.recordCount(), 3);
  EXPECT_EQ(db.currentRecord(), 1);
  EXPECT_EQ(db.readField(1).bytes, "取窗口标题.e");
  EXPECT_EQ(db.readField(2).bytes, "GetWindowTextA/SendMessageA/");
  EXPECT_EQ(db.readField(3).bytes, std::string("source one\0with a NUL", 21));  // a byte set keeps its NULs
  EXPECT_EQ(db.readField(3).type, FieldType::byteSet);
  EXPECT_EQ(db.readField("api名称").bytes, "GetWindowTextA/SendMessageA/");  // ASCII case ignored
  EXPECT_EQ(db.readField("名称").fault, ReadFault::noSuchField);
  EXPECT_EQ(db.readField(4).fault, ReadFault::noSuchField);
  EXPECT_EQ(db.fieldText(2), "GetWindowTextA/SendMessageA/");  // the same text, in place
  EXPECT_EQ(db.fieldText(3), "");                              // not a text field

  db.goTo(2);
  EXPECT_EQ(db.readField(3).bytes, "");  // first block 0
  EXPECT_EQ(db.readField(3).fault, ReadFault::none);
  db.goTo(3);
  EXPECT_EQ(db.readField(3).bytes, threeExamples()[2].program);  // three blocks, in chain order
  EXPECT_GT(db.readField(3).bytes.size(), 1000u);
}

TEST(ExampleDatabase, GoesToRecordsClampedAndSkipsOnePastTheEnd) {
  DatabaseFiles files(writeExamples(threeExamples()));
  ASSERT_EQ(files.open(), OpenFault::none);
  ExampleDatabase& db = files.db;
  db.goTo(0);
  EXPECT_EQ(db.currentRecord(), 1);
  db.goTo(99);
  EXPECT_EQ(db.currentRecord(), 3);
  EXPECT_TRUE(db.skip());
  EXPECT_EQ(db.currentRecord(), 4);
  EXPECT_EQ(db.readField(1).fault, ReadFault::pastTheEnd);
  EXPECT_EQ(db.readField(1).bytes, "");
  EXPECT_EQ(db.fieldText(1), "");
  EXPECT_EQ(db.readField(3).type, FieldType::byteSet);
  EXPECT_FALSE(db.skip());
  EXPECT_EQ(db.currentRecord(), 4);
  db.goToFirst();
  EXPECT_EQ(db.readField(1).bytes, "取窗口标题.e");
}

TEST(ExampleDatabase, AnEmptyDatabaseHasNoCurrentRecordToRead) {
  DatabaseFiles files(writeExamples({}));
  ASSERT_EQ(files.open(), OpenFault::none);
  EXPECT_EQ(files.db.recordCount(), 0);
  files.db.goTo(5);
  EXPECT_EQ(files.db.currentRecord(), 1);
  EXPECT_FALSE(files.db.skip());
  EXPECT_EQ(files.db.readField(1).fault, ReadFault::pastTheEnd);
  EXPECT_FALSE(files.db.search([] { return true; }));
}

TEST(ExampleDatabase, OpensWhenTheFileHoldsMoreWholeRecordsThanCounted) {
  DatabaseFiles files(writeExamples(threeExamples()));
  std::string& bytes = files.database();
  std::size_t recordLength = static_cast<std::size_t>(int32At(bytes, kRecordLengthAt));
  putInt32(bytes, kRecordCountAt, 2);
  bytes += std::string(recordLength - 1, 'x');  // a part record after the last is not looked at
  ASSERT_EQ(files.open(), OpenFault::none);
  EXPECT_EQ(files.db.recordCount(), 2);

  putInt32(bytes, kRecordCountAt, 4);  // 3 whole records and a part
  EXPECT_EQ(files.open(), OpenFault::tooFewRecords);
}

TEST(ExampleDatabase, ReadsEveryFieldType) {
  auto bytesOf = [](auto value) {
    auto raw = std::bit_cast<std::array<char, sizeof(value)>>(value);
    return std::string(raw.begin(), raw.end());
  };
  examples::DatabaseContent content;
  content.fields = {
      {"Byte", FieldType::byte},        {"Short", FieldType::shortInteger}, {"Int", FieldType::integer},
      {"Long", FieldType::longInteger}, {"Float", FieldType::singleFloat},  {"Double", FieldType::doubleFloat},
      {"Logical", FieldType::logical},  {"Date", FieldType::dateTime},      {"Pointer", FieldType::subroutinePointer},
      {"Text", FieldType::text, 4},     {"Bytes", FieldType::byteSet},      {"Memo", FieldType::memo}};
  std::string memo = std::string("memo text\0after", 15);
  content.records = {
      {"\xFF", bytesOf(std::int16_t{-2}), bytesOf(std::int32_t{-70000}), bytesOf(std::int64_t{-5000000000}),
       bytesOf(1.5f), bytesOf(-2.25), "\x02", bytesOf(3e6), bytesOf(std::int32_t{0x401000}), "abcd",
       std::string(1001, 'b'), memo},
      {"\x00", bytesOf(std::int16_t{0}), bytesOf(std::int32_t{0}), bytesOf(std::int64_t{0}), bytesOf(0.0f),
       bytesOf(0.0), std::string(1, '\0'), bytesOf(-1e9), bytesOf(std::int32_t{0}), "ab", "", ""}};
  content.records[1][0] = std::string(1, '\0');
  examples::WrittenDatabase written = examples::writeDatabase(content);
  ASSERT_TRUE(written.ok()) << written.error;
  DatabaseFiles files(written, u"all types.db");
  ASSERT_EQ(files.open(), OpenFault::none);
  ExampleDatabase& db = files.db;
  EXPECT_EQ(db.readField("byte").integer, 255);
  EXPECT_EQ(db.readField("short").integer, -2);
  EXPECT_EQ(db.readField("INT").integer, -70000);
  EXPECT_EQ(db.readField("long").integer, -5000000000);
  EXPECT_EQ(db.readField("float").real, 1.5);
  EXPECT_EQ(db.readField("double").real, -2.25);
  EXPECT_TRUE(db.readField("logical").logical);   // any byte but 0
  EXPECT_EQ(db.readField("date").real, 2958465);  // clamped to 31 December 9999
  EXPECT_EQ(db.readField("pointer").integer, 0x401000);
  EXPECT_EQ(db.readField("text").bytes, "abcd");  // filled to its size, no NUL: all of it
  EXPECT_EQ(db.readField("bytes").bytes, std::string(1001, 'b'));
  EXPECT_EQ(db.readField("memo").bytes, "memo text");  // text up to its first NUL
  db.skip();
  EXPECT_FALSE(db.readField("logical").logical);
  EXPECT_EQ(db.readField("date").real, -657434);  // clamped to 1 January 100
  EXPECT_EQ(db.readField("text").bytes, "ab");
  EXPECT_EQ(db.readField("memo").bytes, "");
}

TEST(ExampleDatabase, FindsTheAuxiliaryFileByItsNameRule) {
  using platform::Path;
  EXPECT_EQ(examples::auxiliaryFileName(u"API例程.edb"), Path(u"API例程.EDT"));
  EXPECT_EQ(examples::auxiliaryFileName(u"C:\\E\\wizard\\API例程.edb"), Path(u"C:\\E\\wizard\\API例程.EDT"));
  EXPECT_EQ(examples::auxiliaryFileName(u"C:\\a.b\\examples"), Path(u"C:\\a.b\\examples.EDT"));
  const Path korean = u"C:\\한국.b/examples";  // GBK lacks Hangul
  EXPECT_EQ(examples::auxiliaryFileName(korean), korean + u".EDT");
  EXPECT_EQ(examples::auxiliaryFileName(u"a.tar.gz"), Path(u"a.tar.EDT"));

  // A name without extension opens as .EDB, its auxiliary file beside it as .EDT.
  const Path withoutExtension = u"C:\\测试\\한국\\API例程";
  DatabaseFiles files(writeExamples(threeExamples()), withoutExtension + u".EDB");
  EXPECT_EQ(files.db.open(files.files, withoutExtension), OpenFault::none);
  EXPECT_EQ(files.db.recordCount(), 3);
}

TEST(ExampleDatabase, HoldsBothFilesExclusivelyWhileOpenAndNothingAfterAFailure) {
  DatabaseFiles files(writeExamples(threeExamples()));
  ASSERT_EQ(files.open(), OpenFault::none);
  EXPECT_TRUE(files.files.held(u"API例程.edb"));
  EXPECT_TRUE(files.files.held(u"API例程.EDT"));
  // A second opener is told that the files are in use, not that they are missing.
  ExampleDatabase second;
  EXPECT_EQ(second.open(files.files, u"API例程.edb"), OpenFault::inUse);
  EXPECT_FALSE(files.files.remove(u"API例程.EDT"));
  EXPECT_FALSE(files.files.rename(u"API例程.edb", u"moved.edb", true));

  // Reopening a damaged pair fails, and the database that held the files holds none.
  files.db = ExampleDatabase();
  putInt32(files.auxiliary(), 0, 0);
  EXPECT_EQ(files.open(), OpenFault::badAuxiliary);
  EXPECT_FALSE(files.db.isOpen());
  EXPECT_FALSE(files.files.held(u"API例程.edb"));
  EXPECT_FALSE(files.files.held(u"API例程.EDT"));

  // Only the auxiliary file held elsewhere: in use all the same, and nothing stays held.
  putInt32(files.auxiliary(), 0, 0x54444557);  // "WEDT" again
  platform::Hold other = files.files.holdExclusive(u"API例程.EDT");
  EXPECT_EQ(files.open(), OpenFault::inUse);
  EXPECT_FALSE(files.files.held(u"API例程.edb"));
}

// Each rule of the open broken on its own: every one ends in a clean failure.
TEST(DamagedExampleDatabase, EachBrokenOpenRuleFails) {
  using Damage = std::function<void(std::string & database, std::string & auxiliary)>;
  const std::size_t field1 = descriptorAt(1);
  const std::size_t field3 = descriptorAt(3);
  struct Case {
    const char* what;
    Damage damage;
    OpenFault fault;
  } cases[] = {
      {"magic", [](auto& d, auto&) { d[3] = 'C'; }, OpenFault::notADatabase},
      {"header cut short", [](auto& d, auto&) { d.resize(111); }, OpenFault::notADatabase},
      {"empty file", [](auto& d, auto&) { d.clear(); }, OpenFault::notADatabase},
      {"version too new", [](auto& d, auto&) { putInt32(d, 4, 0x10001); }, OpenFault::unsupportedVersion},
      {"negative record count", [](auto& d, auto&) { putInt32(d, kRecordCountAt, -1); }, OpenFault::badHeader},
      {"int32 at 20 is 0", [](auto& d, auto&) { putInt32(d, kHeaderInt20At, 0); }, OpenFault::badHeader},
      {"record length 0", [](auto& d, auto&) { putInt32(d, kRecordLengthAt, 0); }, OpenFault::badHeader},
      {"record length negative", [](auto& d, auto&) { putInt32(d, kRecordLengthAt, -8); }, OpenFault::badHeader},
      {"no field count", [](auto& d, auto&) { d.resize(114); }, OpenFault::badFieldTable},
      {"field count 0", [](auto& d, auto&) { putInt32(d, kFieldCountAt, 0); }, OpenFault::badFieldTable},
      {"field count past the file", [](auto& d, auto&) { putInt32(d, kFieldCountAt, 1000); }, OpenFault::badFieldTable},
      {"field count × 72 past 32 bits", [](auto& d, auto&) { putInt32(d, kFieldCountAt, 0x7FFFFFFF); },
       OpenFault::badFieldTable},
      {"record count × length past 32 bits",
       [](auto& d, auto&) {
         putInt32(d, kRecordCountAt, 0x7FFFFFFF);
         putInt32(d, kRecordLengthAt, 0x7FFFFFFF);
       },
       OpenFault::tooFewRecords},
      {"last record cut short", [](auto& d, auto&) { d.pop_back(); }, OpenFault::tooFewRecords},
      {"name without NUL", [&](auto& d, auto&) { d.replace(field1, 17, 17, 'N'); }, OpenFault::badField},
      {"type 0", [&](auto& d, auto&) { putInt32(d, field1 + 20, 0); }, OpenFault::badField},
      {"type 13", [&](auto& d, auto&) { putInt32(d, field3 + 20, 13); }, OpenFault::badField},
      {"negative offset", [&](auto& d, auto&) { putInt32(d, field1 + 24, -1); }, OpenFault::badField},
      {"text size 0", [&](auto& d, auto&) { putInt32(d, field1 + 28, 0); }, OpenFault::badField},
      {"text past the record", [&](auto& d, auto&) { putInt32(d, field1 + 28, 0x7FFFFFFF); }, OpenFault::badField},
      {"byte set past the record", [&](auto& d, auto&) { putInt32(d, field3 + 24, int32At(d, kRecordLengthAt) - 3); },
       OpenFault::badField},
      {"auxiliary file of one byte", [](auto&, auto& a) { a = "\x01"; }, OpenFault::badAuxiliary},
      {"auxiliary magic", [](auto&, auto& a) { a[0] = 'X'; }, OpenFault::badAuxiliary},
      {"auxiliary version", [](auto&, auto& a) { putInt32(a, 4, 0x10001); }, OpenFault::badAuxiliary},
      {"block count 0", [](auto&, auto& a) { putInt32(a, kBlockCountAt, 0); }, OpenFault::badAuxiliary},
      {"block count past the file", [](auto&, auto& a) { putInt32(a, kBlockCountAt, int32At(a, kBlockCountAt) + 1); },
       OpenFault::badAuxiliary},
      {"block count × 512 past 32 bits", [](auto&, auto& a) { putInt32(a, kBlockCountAt, 0x7FFFFFFF); },
       OpenFault::badAuxiliary},
      {"last block cut short", [](auto&, auto& a) { a.pop_back(); }, OpenFault::badAuxiliary},
      {"free bookkeeping negative", [](auto&, auto& a) { putInt32(a, 20, -1); }, OpenFault::badAuxiliary},
      {"free bookkeeping at the block count", [](auto&, auto& a) { putInt32(a, 24, int32At(a, kBlockCountAt)); },
       OpenFault::badAuxiliary},
  };
  for (const Case& c : cases) {
    DatabaseFiles files(writeExamples(threeExamples()));
    c.damage(files.database(), files.auxiliary());
    EXPECT_EQ(files.open(), c.fault) << c.what;
    EXPECT_FALSE(files.db.isOpen()) << c.what;
  }

  DatabaseFiles missing(writeExamples(threeExamples()));
  missing.files.contents.erase(u"API例程.EDT");
  EXPECT_EQ(missing.open(), OpenFault::cannotOpenAuxiliary);
  missing.files.contents.clear();
  EXPECT_EQ(missing.open(), OpenFault::cannotOpen);
}

// Every length of either file short of the whole: the open fails cleanly.
TEST(DamagedExampleDatabase, EveryTruncationFailsTheOpen) {
  const examples::WrittenDatabase written = writeExamples(threeExamples());
  for (std::size_t length = 0; length < written.database.size(); ++length) {
    DatabaseFiles files(written);
    files.database().resize(length);
    EXPECT_NE(files.open(), OpenFault::none) << length;
  }
  for (std::size_t length = 0; length < written.auxiliary.size(); length += 7) {
    DatabaseFiles files(written);
    files.auxiliary().resize(length);
    EXPECT_EQ(files.open(), OpenFault::badAuxiliary) << length;
  }
}

// The third example's value fills blocks 1, 2 and 3 (the first two examples' values take
// block 1 and none): chains broken in each way read as empty with an error, never hang.
TEST(DamagedExampleDatabase, BrokenBlockChainsReadAsEmpty) {
  const std::size_t block2 = 2 * 512;
  const std::size_t block3 = 3 * 512;
  using Damage = std::function<void(std::string&)>;
  struct Case {
    const char* what;
    Damage damage;
  } cases[] = {
      {"cycle back to its first block", [&](auto& a) { putInt32(a, block3 + 4, 2); }},
      {"block linking to itself", [&](auto& a) { putInt32(a, block2 + 4, 2); }},
      {"next block past the file", [&](auto& a) { putInt32(a, block2 + 4, 0x7FFFFFFF); }},
      {"next block at the block count", [&](auto& a) { putInt32(a, block2 + 4, int32At(a, kBlockCountAt)); }},
      {"next block negative", [&](auto& a) { putInt32(a, block2 + 4, -1); }},
      {"data byte count 501", [&](auto& a) { putInt32(a, block3 + 8, 501); }},
      {"data byte count negative", [&](auto& a) { putInt32(a, block2 + 8, -1); }},
  };
  for (const Case& c : cases) {
    DatabaseFiles files(writeExamples(threeExamples()));
    c.damage(files.auxiliary());
    ASSERT_EQ(files.open(), OpenFault::none) << c.what;
    files.db.goTo(3);
    examples::FieldValue value = files.db.readField(3);
    EXPECT_EQ(value.fault, ReadFault::brokenChain) << c.what;
    EXPECT_EQ(value.bytes, "") << c.what;
    files.db.goTo(1);
    EXPECT_EQ(files.db.readField(3).fault, ReadFault::none) << c.what;  // other values stay readable
  }

  DatabaseFiles files(writeExamples(threeExamples()));
  std::size_t record3Field3 = 332 + 2 * static_cast<std::size_t>(int32At(files.database(), kRecordLengthAt)) +
                              static_cast<std::size_t>(int32At(files.database(), descriptorAt(3) + 24));
  putInt32(files.database(), record3Field3, -5);
  ASSERT_EQ(files.open(), OpenFault::none);
  files.db.goTo(3);
  EXPECT_EQ(files.db.readField(3).fault, ReadFault::brokenChain);
}

// Records may point into one chain: the first in record order reads it, the others read an
// error, so the values of all records together never cost more than the file's blocks.
TEST(DamagedExampleDatabase, AChainIsReadOnlyByTheFirstRecordThatReachesIt) {
  DatabaseFiles files(writeExamples(threeExamples()));
  const std::size_t recordLength = static_cast<std::size_t>(int32At(files.database(), kRecordLengthAt));
  const std::size_t field3 = static_cast<std::size_t>(int32At(files.database(), descriptorAt(3) + 24));
  auto storedBlock = [&](std::size_t record) { return 332 + (record - 1) * recordLength + field3; };
  const std::string longSource = threeExamples()[2].program;
  putInt32(files.database(), storedBlock(2), 2);  // record 2, so far empty, takes record 3's chain
  ASSERT_EQ(files.open(), OpenFault::none);
  files.db.goTo(2);
  EXPECT_EQ(files.db.readField(3).bytes, longSource);
  files.db.goTo(3);
  EXPECT_EQ(files.db.readField(3).fault, ReadFault::brokenChain);
  EXPECT_EQ(files.db.fieldBytes(3), std::nullopt);

  // Into the middle of a chain, and many records onto one block.
  putInt32(files.database(), storedBlock(2), 3);
  putInt32(files.database(), storedBlock(1), 2);
  files.db = ExampleDatabase();
  ASSERT_EQ(files.open(), OpenFault::none);
  files.db.goTo(1);
  EXPECT_EQ(files.db.readField(3).bytes, longSource);
  for (std::int32_t record : {2, 3}) {
    files.db.goTo(record);
    EXPECT_EQ(files.db.readField(3).fault, ReadFault::brokenChain) << record;
  }
}

// A database file of 2,147,483,647 one-byte records, mapped but never touched beyond its
// header: the most records that the header's int32 can count.
class MappedFiles : public platform::Files {
 public:
  explicit MappedFiles(std::size_t size) : length(size) {
    mapping = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  }
  ~MappedFiles() override {
    if (mapping != MAP_FAILED) munmap(mapping, length);
  }
  std::span<unsigned char> bytes() { return {static_cast<unsigned char*>(mapping), length}; }
  bool exists(const platform::Path&) override { return true; }
  bool createNew(const platform::Path&, std::string_view) override { return false; }
  bool rename(const platform::Path&, const platform::Path&, bool) override { return false; }
  bool remove(const platform::Path&) override { return false; }
  platform::Read readAtMost(const platform::Path&, std::size_t) override { return {{}, platform::HoldFault::missing}; }
  platform::Hold holdExclusive(const platform::Path&) override {
    struct Held : platform::HeldFile {
      std::span<const unsigned char> content;
      std::span<const unsigned char> bytes() const override { return content; }
    };
    auto held = std::make_unique<Held>();
    held->content = bytes();
    return {std::move(held), platform::HoldFault::none};
  }

 private:
  std::size_t length;
  void* mapping;
};

TEST(ExampleDatabase, SkipsPastTheLastOfTheMostRecordsAnInt32Counts) {
  examples::DatabaseContent content;
  content.fields = {{"b", FieldType::byte, 0}};
  std::string header = examples::writeDatabase(content).database;
  constexpr std::int32_t kMost = 0x7FFFFFFF;
  putInt32(header, kRecordCountAt, kMost);
  MappedFiles files(header.size() + kMost);
  ASSERT_EQ(files.bytes().size(), header.size() + kMost);
  std::copy(header.begin(), header.end(), files.bytes().begin());
  ExampleDatabase db;
  ASSERT_EQ(db.open(files, u"big.edb"), OpenFault::none);
  db.goTo(std::int64_t{kMost} + 5);
  EXPECT_EQ(db.currentRecord(), kMost);
  EXPECT_TRUE(db.search([] { return false; }) == false && db.currentRecord() == kMost);
  EXPECT_TRUE(db.skip());
  EXPECT_EQ(db.currentRecord(), std::int64_t{kMost} + 1);
  EXPECT_FALSE(db.skip());
  EXPECT_EQ(db.readField(1).fault, ReadFault::pastTheEnd);
}

TEST(ExampleDatabaseSearch, StopsAtTheFirstMatchFromTheCurrentRecord) {
  DatabaseFiles files(writeExamples(threeExamples()));
  ASSERT_EQ(files.open(), OpenFault::none);
  ExampleDatabase& db = files.db;
  auto uses = [&](std::string_view name) {
    return [&db, name] { return gbk::containsIgnoringAsciiCase(db.readField(2).bytes, std::string(name) + "/"); };
  };
  std::vector<std::int64_t> seen;
  EXPECT_TRUE(db.search([&] {
    seen.push_back(db.currentRecord());
    return uses("messageboxa")();
  }));
  EXPECT_EQ(seen, (std::vector<std::int64_t>{1, 2}));  // each record current while tested
  EXPECT_EQ(db.currentRecord(), 2);

  EXPECT_TRUE(db.search(uses("TextOutA")));  // inside ExtTextOutA/
  EXPECT_EQ(db.currentRecord(), 3);

  db.goTo(2);
  EXPECT_FALSE(db.search(uses("GetWindowTextA")));  // only record 1 has it: not searched
  EXPECT_EQ(db.currentRecord(), 2);
  db.goTo(3);
  db.skip();
  EXPECT_FALSE(db.search([] { return true; }));  // past the end
  EXPECT_EQ(db.currentRecord(), 4);
}

// The related-examples walk: search, take the record, skip, search on from there.
TEST(ExampleDatabaseSearch, FindsEveryMatchInRecordOrderBySearchAndSkip) {
  std::vector<examples::ExampleRecord> records;
  for (int i = 1; i <= 7; ++i) {
    records.push_back({"例程" + std::to_string(i) + ".e", i % 3 == 0 ? "SendMessageA/" : "PostMessageA/", "x"});
  }
  DatabaseFiles files(writeExamples(records));
  ASSERT_EQ(files.open(), OpenFault::none);
  ExampleDatabase& db = files.db;
  std::vector<std::int64_t> found;
  db.goToFirst();
  while (db.search([&] { return gbk::containsIgnoringAsciiCase(db.readField(2).bytes, "SendMessageA/"); })) {
    found.push_back(db.currentRecord());
    db.skip();
  }
  EXPECT_EQ(found, (std::vector<std::int64_t>{3, 6}));
}

}  // namespace
