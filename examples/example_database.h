// The examples database: a record file ("WEDB") of fixed-length records, whose byte set and
// memo values live in chained 512-byte blocks of an auxiliary file ("WEDT") beside it. The
// byte layout is in docs/examples-database.md.
//
// Both files are held open read-only and exclusive for as long as the database is open, and
// read whole at the open, so every read below works on bytes that cannot change. Nothing in
// them is trusted: the open checks the headers and the field table, every offset is computed
// in 64 bits and checked against the file's end, and a block chain that leaves the file,
// carries a bad byte count or runs longer than there are blocks ends the read with an error.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "library/example_database_layout.h"
#include "platform/files.h"

namespace examples {

using library::example_layout::FieldType;
using library::example_layout::keepsValuesInBlocks;
using library::example_layout::storedSize;

enum class OpenFault {
  none,
  cannotOpen,           // missing or unreadable
  inUse,                // the database or its auxiliary file held open by another program
  notADatabase,         // no "WEDB", or a header cut short
  unsupportedVersion,   // a version above 0x10000
  badHeader,            // record count, record length or the int32 at offset 20 out of range
  badFieldTable,        // field count not above 0, or its descriptors cut short
  badField,             // a descriptor breaking its rules, or a field reaching past the record
  tooFewRecords,        // fewer whole records in the file than the header counts
  cannotOpenAuxiliary,  // the auxiliary file missing or unreadable
  badAuxiliary,         // not "WEDT", another version, or block bookkeeping out of range
};

enum class ReadFault {
  none,
  noSuchField,
  pastTheEnd,   // no current record (past the end, or none at all): the value reads empty
  brokenChain,  // a byte set or memo block chain that cannot be followed, or that runs into the
                // blocks of a value before it: the value reads empty
};

// One value, typed as its field. Byte, the integers and the subroutine pointer fill
// `integer`; float, double and date-time fill `real`; logical fills `logical`; text, byte
// set and memo fill `bytes` (text and memo up to their first NUL).
struct FieldValue {
  FieldType type = FieldType::text;
  ReadFault fault = ReadFault::none;
  std::int64_t integer = 0;
  double real = 0;
  bool logical = false;
  std::string bytes;
};

struct FieldDescriptor {
  std::string name;  // GBK
  FieldType type = FieldType::text;
  std::uint32_t offset = 0;  // within a record
  std::uint32_t size = 0;    // bytes in a record
};

// The auxiliary file's name: the extension after the last "." that follows the last path
// separator is replaced by "EDT", or ".EDT" is appended when there is none.
platform::Path auxiliaryFileName(const platform::Path& databasePath);

// Records addressed by their 1-based number through one current record.
class ExampleDatabase {
 public:
  // Opens the file (".EDB" appended to a name without extension) and, when a field keeps
  // its values there, its auxiliary file; record 1 becomes current. On failure nothing
  // stays open.
  OpenFault open(platform::Files& files, const platform::Path& path);
  bool isOpen() const { return database != nullptr; }

  // The header's count; a negative one counts as 0, as does a database not open.
  std::int32_t recordCount() const;
  void goToFirst() { current = 1; }
  // Clamped to 1 … record count (1 when there are no records).
  void goTo(std::int64_t record);
  // One record on, at most to just past the last; false, not moving, when there are no
  // records or the current record is already past the end.
  bool skip();
  // 64 bits wide: just past the last of 2,147,483,647 records is a record number too.
  std::int64_t currentRecord() const { return current; }

  const std::vector<FieldDescriptor>& fields() const { return descriptors; }
  // The field of the current record by 1-based number, or by name (ASCII letters compared
  // without regard to case).
  FieldValue readField(int number) const;
  FieldValue readField(std::string_view name) const;
  // Field `number` of the current record as bytes: a text up to its NUL, a byte set whole;
  // nullopt past the last record or when the value cannot be read (a damaged block chain).
  [[nodiscard]] std::optional<std::string> fieldBytes(int number) const;
  // A text field of the current record up to its first NUL, in place in the held file:
  // valid while the database is open; empty for other fields and past the last record.
  // What conditions read, since a search evaluates its condition once for every record.
  std::string_view fieldText(int number) const;

  // From the current record to the last, makes each record current and evaluates the
  // condition, which reads the fields it needs; the first record for which it holds stays
  // current and the result is true. When none holds, the record current before stays
  // current and the result is false.
  bool search(const std::function<bool()>& condition);

 private:
  void close();
  std::span<const unsigned char> recordBytes(std::int64_t record) const;
  FieldValue readValue(const FieldDescriptor& field) const;
  bool readBlockChain(std::int64_t firstBlock, std::string& value) const;
  void claimBlockChains();
  // Whether the value stored at `stored` (a place in the database's bytes) holds the chain
  // that begins at `firstBlock`.
  bool ownsChain(std::int64_t firstBlock, const unsigned char* stored) const;

  static constexpr std::uint64_t kNoOwner = ~std::uint64_t{0};
  static constexpr std::uint64_t kDamaged = kNoOwner - 1;

  std::unique_ptr<platform::HeldFile> database;
  std::unique_ptr<platform::HeldFile> auxiliary;
  // The held files' bytes, which stay put while they are held.
  std::span<const unsigned char> databaseBytes;
  std::span<const unsigned char> auxiliaryBytes;
  std::vector<FieldDescriptor> descriptors;
  std::uint64_t dataStart = 0;
  std::uint64_t recordLength = 0;
  std::int64_t blockCount = 0;
  // For each block, the place in the database's bytes of the stored block number whose
  // chain holds it; a damaged chain's first block holds kDamaged.
  std::vector<std::uint64_t> blockOwners;
  // Up to record count + 1 (past the end), which an int32 cannot hold for every count.
  std::int64_t current = 1;
};

}  // namespace examples
