// [SECTION] layout   [SECTION] file bytes   [SECTION] names   [SECTION] open
// [SECTION] records and fields
#include "examples/example_database.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <utility>

#include "base/gbk_text.h"
#include "library/example_database_layout.h"

namespace examples {
namespace {

// -------------------------------------------------------------------------------------
// [SECTION] layout

using namespace library::example_layout;

// The OLE automation date scale's range: 1 January 100 to 31 December 9999.
constexpr double kEarliestDate = -657434;
constexpr double kLatestDate = 2958465;

// A text up to its first NUL. Every field lies within the record: the open checked it.
std::string_view textIn(std::span<const unsigned char> record, const FieldDescriptor& field) {
  const char* start = reinterpret_cast<const char*>(record.data()) + field.offset;
  const void* nul = std::memchr(start, 0, field.size);
  return {start, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - start) : field.size};
}

FieldValue noSuchField() {
  FieldValue value;
  value.fault = ReadFault::noSuchField;
  return value;
}

// -------------------------------------------------------------------------------------
// [SECTION] file bytes

std::uint64_t littleEndian(std::span<const unsigned char> bytes) {
  std::uint64_t value = 0;
  for (std::size_t i = bytes.size(); i-- > 0;) value = value << 8 | bytes[i];
  return value;
}

std::int32_t int32In(std::span<const unsigned char> bytes, std::size_t offset) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(littleEndian(bytes.subspan(offset, 4))));
}

bool hasMagic(std::span<const unsigned char> bytes, std::string_view magic) {
  return std::equal(magic.begin(), magic.end(), bytes.begin(),
                    [](char a, unsigned char b) { return static_cast<unsigned char>(a) == b; });
}

// The bytes of a held file, read at given offsets: a piece that does not lie wholly within
// them is refused. Offsets and lengths are 64-bit, so that no product or sum of values
// from the file can wrap around.
class FileBytes {
 public:
  explicit FileBytes(std::span<const unsigned char> content) : bytes(content) {}

  std::uint64_t size() const { return bytes.size(); }

  bool piece(std::uint64_t offset, std::uint64_t length, std::span<const unsigned char>& out) const {
    if (offset > bytes.size() || length > bytes.size() - offset) return false;
    out = bytes.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
    return true;
  }

 private:
  std::span<const unsigned char> bytes;
};

// Follows a value's chain of blocks from `firstBlock`, handing `visit` each block's number
// and data bytes; `visit` may refuse a block. Block 0 holds the header, so a value's blocks
// are 1 … block count − 1, and a chain of more links than that visits some block twice: it
// is a cycle. False when a link leaves the value blocks, a block cannot be read whole or
// carries a bad byte count, the chain is a cycle, or `visit` refuses.
template <class Visit>
bool followChain(const FileBytes& file, std::int64_t blockCount, std::int64_t firstBlock, Visit visit) {
  std::int64_t linksLeft = blockCount - 1;
  for (std::int64_t block = firstBlock; block != 0;) {
    std::span<const unsigned char> bytes;
    if (block < 0 || block >= blockCount || linksLeft-- == 0 ||
        !file.piece(static_cast<std::uint64_t>(block) * kBlockSize, kBlockSize, bytes)) {
      return false;
    }
    std::int32_t count = int32In(bytes, kDataCountAt);
    if (count < 0 || count > kBlockDataBytes) return false;
    if (!visit(block, bytes.subspan(kBlockHeaderSize, static_cast<std::size_t>(count)))) return false;
    block = int32In(bytes, kNextBlockAt);
  }
  return true;
}

// -------------------------------------------------------------------------------------
// [SECTION] names

// The 0-based position of the "." that starts the path's extension, or npos when the last
// path component has none. A path is walked character by character: a GBK trail byte may
// be 0x5C, the backslash.
// Position of the "." that begins the file name's extension, or npos.
std::size_t extensionDot(const platform::Path& path) {
  const std::size_t dot = path.units().rfind(u'.');
  const std::size_t separator = path.lastSeparator();
  return dot == std::u16string::npos || (separator != std::u16string::npos && dot < separator) ? std::u16string::npos
                                                                                               : dot;
}

platform::Path withDatabaseExtension(const platform::Path& path) {
  return extensionDot(path) == std::u16string::npos ? path + u".EDB" : path;
}

// -------------------------------------------------------------------------------------
// [SECTION] open

struct Header {
  std::int32_t version = 0;
  std::uint64_t recordLength = 0;
  std::uint64_t dataStart = 0;
};

OpenFault checkHeader(const FileBytes& file, Header& header, std::int32_t& fieldCount) {
  std::span<const unsigned char> bytes;
  if (!file.piece(0, kHeaderSize, bytes) || !hasMagic(bytes, kDatabaseMagic)) return OpenFault::notADatabase;
  header.version = int32In(bytes, kVersionAt);
  std::int32_t recordCount = int32In(bytes, kRecordCountAt);
  std::int32_t recordLength = int32In(bytes, kRecordLengthAt);
  if (recordLength <= 0 || recordCount < 0 || int32In(bytes, kPositiveInt32At) <= 0) return OpenFault::badHeader;
  if (header.version > kNewestVersion) return OpenFault::unsupportedVersion;
  header.recordLength = static_cast<std::uint64_t>(recordLength);

  std::span<const unsigned char> count;
  if (!file.piece(kFieldCountAt, 4, count) || (fieldCount = int32In(count, 0)) <= 0) return OpenFault::badFieldTable;
  header.dataStart = kFirstDescriptorAt + kDescriptorSize * static_cast<std::uint64_t>(fieldCount);
  if (header.dataStart > file.size()) return OpenFault::badFieldTable;
  if ((file.size() - header.dataStart) / header.recordLength < static_cast<std::uint64_t>(recordCount)) {
    return OpenFault::tooFewRecords;
  }
  return OpenFault::none;
}

// Beyond the descriptor's own rules, a field must lie within the record, so that reading
// it never strays into the next record or past the file's end.
bool readDescriptor(std::span<const unsigned char> bytes, std::uint64_t recordLength, FieldDescriptor& field) {
  auto name = bytes.first(kNameBytes);
  auto nul = std::find(name.begin(), name.end(), 0);
  if (nul == name.end()) return false;
  field.name.assign(name.begin(), nul);
  std::int32_t type = int32In(bytes, kTypeAt);
  std::int32_t offset = int32In(bytes, kFieldOffsetAt);
  std::int32_t textSize = int32In(bytes, kTextSizeAt);
  if (type < 1 || type > 12 || offset < 0) return false;
  field.type = static_cast<FieldType>(type);
  if (field.type == FieldType::text && textSize <= 0) return false;
  field.offset = static_cast<std::uint32_t>(offset);
  field.size = field.type == FieldType::text ? static_cast<std::uint32_t>(textSize) : storedSize(field.type);
  return std::uint64_t{field.offset} + field.size <= recordLength;
}

OpenFault checkAuxiliary(const FileBytes& file, std::int32_t version, std::int64_t& blockCount) {
  std::span<const unsigned char> bytes;
  if (!file.piece(0, kAuxiliaryHeaderSize, bytes) || !hasMagic(bytes, kAuxiliaryMagic) ||
      int32In(bytes, kVersionAt) != version) {
    return OpenFault::badAuxiliary;
  }
  blockCount = int32In(bytes, kBlockCountAt);
  if (blockCount <= 0 || static_cast<std::uint64_t>(blockCount) > file.size() / kBlockSize) {
    return OpenFault::badAuxiliary;
  }
  for (std::uint64_t at : kFreeBookkeepingAt) {
    std::int64_t value = int32In(bytes, at);
    if (value < 0 || value >= blockCount) return OpenFault::badAuxiliary;
  }
  return OpenFault::none;
}

}  // namespace

platform::Path auxiliaryFileName(const platform::Path& databasePath) {
  return platform::Path(databasePath.units().substr(0, extensionDot(databasePath))) + u".EDT";
}

void ExampleDatabase::close() {
  database.reset();
  auxiliary.reset();
  databaseBytes = {};
  auxiliaryBytes = {};
  descriptors.clear();
  dataStart = 0;
  recordLength = 0;
  blockCount = 0;
  blockOwners.clear();
  current = 1;
}

OpenFault ExampleDatabase::open(platform::Files& files, const platform::Path& path) {
  close();
  platform::Path name = withDatabaseExtension(path);
  platform::Hold hold = files.holdExclusive(name);
  if (hold.fault == platform::HoldFault::inUse) return OpenFault::inUse;
  if (!hold.file) return OpenFault::cannotOpen;
  std::unique_ptr<platform::HeldFile> held = std::move(hold.file);
  FileBytes file(held->bytes());
  Header header;
  std::int32_t fieldCount = 0;
  if (OpenFault fault = checkHeader(file, header, fieldCount); fault != OpenFault::none) return fault;

  std::vector<FieldDescriptor> fields(static_cast<std::size_t>(fieldCount));
  bool needsAuxiliary = false;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::span<const unsigned char> bytes;
    file.piece(kFirstDescriptorAt + kDescriptorSize * i, kDescriptorSize, bytes);  // within the data start
    if (!readDescriptor(bytes, header.recordLength, fields[i])) return OpenFault::badField;
    needsAuxiliary = needsAuxiliary || keepsValuesInBlocks(fields[i].type);
  }

  std::unique_ptr<platform::HeldFile> heldAuxiliary;
  std::int64_t blocks = 0;
  if (needsAuxiliary) {
    platform::Hold auxiliaryHold = files.holdExclusive(auxiliaryFileName(name));
    if (auxiliaryHold.fault == platform::HoldFault::inUse) return OpenFault::inUse;
    if (!auxiliaryHold.file) return OpenFault::cannotOpenAuxiliary;
    heldAuxiliary = std::move(auxiliaryHold.file);
    OpenFault fault = checkAuxiliary(FileBytes(heldAuxiliary->bytes()), header.version, blocks);
    if (fault != OpenFault::none) return fault;
  }

  database = std::move(held);
  auxiliary = std::move(heldAuxiliary);
  databaseBytes = database->bytes();
  auxiliaryBytes = auxiliary ? auxiliary->bytes() : std::span<const unsigned char>();
  descriptors = std::move(fields);
  dataStart = header.dataStart;
  recordLength = header.recordLength;
  blockCount = blocks;
  claimBlockChains();
  return OpenFault::none;
}

// Every value block belongs to one value: in record order, each stored first block number
// claims the blocks of its chain. A chain that reaches a block claimed before (another
// value's, or its own in a cycle) is damaged, as is one that leaves the file or carries a
// bad byte count; such a value reads as an error. So reading every value of every record
// costs no more than the auxiliary file's blocks, however its records point into it. The
// walk looks at each stored place once: fields at the same offset hold the same number.
void ExampleDatabase::claimBlockChains() {
  std::vector<std::uint64_t> places;
  for (const FieldDescriptor& field : descriptors) {
    if (keepsValuesInBlocks(field.type)) places.push_back(field.offset);
  }
  std::sort(places.begin(), places.end());
  places.erase(std::unique(places.begin(), places.end()), places.end());
  blockOwners.assign(static_cast<std::size_t>(blockCount), kNoOwner);
  FileBytes file(auxiliaryBytes);
  const std::int64_t count = recordCount();
  for (std::int64_t record = 1; record <= count && !places.empty(); ++record) {
    for (std::uint64_t offset : places) {
      const std::uint64_t owner = dataStart + static_cast<std::uint64_t>(record - 1) * recordLength + offset;
      const std::int64_t first = int32In(databaseBytes, static_cast<std::size_t>(owner));
      if (first <= 0 || first >= blockCount || blockOwners[static_cast<std::size_t>(first)] != kNoOwner) continue;
      bool whole = followChain(file, blockCount, first, [&](std::int64_t block, std::span<const unsigned char>) {
        std::uint64_t& claimed = blockOwners[static_cast<std::size_t>(block)];
        if (claimed != kNoOwner) return false;
        claimed = owner;
        return true;
      });
      if (!whole) blockOwners[static_cast<std::size_t>(first)] = kDamaged;
    }
  }
}

// -------------------------------------------------------------------------------------
// [SECTION] records and fields

std::optional<std::string> ExampleDatabase::fieldBytes(int number) const {
  FieldValue value = readField(number);
  if (value.fault != ReadFault::none) return std::nullopt;
  return std::move(value.bytes);
}

std::int32_t ExampleDatabase::recordCount() const {
  std::span<const unsigned char> count;
  if (!FileBytes(databaseBytes).piece(kRecordCountAt, 4, count)) return 0;
  return std::max(int32In(count, 0), 0);
}

void ExampleDatabase::goTo(std::int64_t record) {
  current = std::clamp<std::int64_t>(record, 1, std::max(recordCount(), 1));
}

bool ExampleDatabase::skip() {
  std::int64_t count = recordCount();
  if (count == 0 || current > count) return false;
  ++current;
  return true;
}

std::span<const unsigned char> ExampleDatabase::recordBytes(std::int64_t record) const {
  std::span<const unsigned char> bytes;
  if (record < 1 || record > recordCount()) return {};
  FileBytes(databaseBytes)
      .piece(dataStart + static_cast<std::uint64_t>(record - 1) * recordLength, recordLength, bytes);
  return bytes;
}

FieldValue ExampleDatabase::readField(int number) const {
  if (number < 1 || static_cast<std::size_t>(number) > descriptors.size()) {
    return noSuchField();
  }
  return readValue(descriptors[static_cast<std::size_t>(number) - 1]);
}

std::string_view ExampleDatabase::fieldText(int number) const {
  if (number < 1 || static_cast<std::size_t>(number) > descriptors.size()) return {};
  const FieldDescriptor& field = descriptors[static_cast<std::size_t>(number) - 1];
  std::span<const unsigned char> record = recordBytes(current);
  if (field.type != FieldType::text || record.empty()) return {};
  return textIn(record, field);
}

FieldValue ExampleDatabase::readField(std::string_view name) const {
  auto field = std::find_if(descriptors.begin(), descriptors.end(), [&](const FieldDescriptor& f) {
    return f.name.size() == name.size() && gbk::startsWithIgnoringAsciiCase(f.name, name);
  });
  if (field == descriptors.end()) return noSuchField();
  return readValue(*field);
}

FieldValue ExampleDatabase::readValue(const FieldDescriptor& field) const {
  FieldValue value;
  value.type = field.type;
  std::span<const unsigned char> record = recordBytes(current);
  if (record.empty()) {
    value.fault = ReadFault::pastTheEnd;
    return value;
  }
  std::span<const unsigned char> bytes = record.subspan(field.offset, field.size);
  std::uint64_t raw = field.type == FieldType::text ? 0 : littleEndian(bytes);
  switch (field.type) {
    case FieldType::byte: value.integer = static_cast<std::uint8_t>(raw); break;
    case FieldType::shortInteger: value.integer = static_cast<std::int16_t>(raw); break;
    case FieldType::integer:
    case FieldType::subroutinePointer: value.integer = static_cast<std::int32_t>(raw); break;
    case FieldType::longInteger: value.integer = static_cast<std::int64_t>(raw); break;
    case FieldType::singleFloat: value.real = std::bit_cast<float>(static_cast<std::uint32_t>(raw)); break;
    case FieldType::doubleFloat: value.real = std::bit_cast<double>(raw); break;
    case FieldType::dateTime:
      // A NaN stays what it is: no clamp can place it.
      value.real = std::bit_cast<double>(raw);
      if (!std::isnan(value.real)) value.real = std::clamp(value.real, kEarliestDate, kLatestDate);
      break;
    case FieldType::logical: value.logical = raw != 0; break;
    case FieldType::text: value.bytes = textIn(record, field); break;
    case FieldType::byteSet:
    case FieldType::memo:
      if (!ownsChain(static_cast<std::int32_t>(raw), record.data() + field.offset) ||
          !readBlockChain(static_cast<std::int32_t>(raw), value.bytes)) {
        value.bytes.clear();
        value.fault = ReadFault::brokenChain;
      } else if (field.type == FieldType::memo) {
        value.bytes.resize(std::min(value.bytes.size(), value.bytes.find('\0')));
      }
      break;
  }
  return value;
}

bool ExampleDatabase::ownsChain(std::int64_t firstBlock, const unsigned char* stored) const {
  if (firstBlock == 0) return true;
  const auto place = static_cast<std::uint64_t>(stored - databaseBytes.data());
  return firstBlock > 0 && firstBlock < blockCount && blockOwners[static_cast<std::size_t>(firstBlock)] == place;
}

bool ExampleDatabase::readBlockChain(std::int64_t firstBlock, std::string& value) const {
  return followChain(FileBytes(auxiliaryBytes), blockCount, firstBlock,
                     [&value](std::int64_t, std::span<const unsigned char> data) {
                       value.append(reinterpret_cast<const char*>(data.data()), data.size());
                       return true;
                     });
}

// With both files held and read whole, a record's buffer is a view of its held bytes:
// the condition reads the record under test from there.
bool ExampleDatabase::search(const std::function<bool()>& condition) {
  std::int64_t remembered = current;
  std::int64_t count = recordCount();
  if (count == 0 || current > count) return false;
  for (std::int64_t record = current; record <= count; ++record) {
    if (recordBytes(record).size() != recordLength) break;
    current = record;
    if (condition()) return true;
  }
  current = remembered;
  return false;
}

}  // namespace examples
