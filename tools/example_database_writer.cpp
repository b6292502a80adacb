#include "tools/example_database_writer.h"

#include <algorithm>
#include <limits>

#include "base/byte_writer.h"
#include "library/example_database_layout.h"

namespace examples {
namespace {

using namespace library::example_layout;

constexpr std::uint64_t kLargestInt32 = std::numeric_limits<std::int32_t>::max();
constexpr std::size_t kDataBytes = kBlockDataBytes;

// Values that checkContent has bounded to an int32.
void putU32(std::string& bytes, std::uint64_t offset, std::uint64_t value) {
  base::putLittleEndian32(bytes.data() + offset, static_cast<std::uint32_t>(value));
}

std::uint32_t storedSize(const FieldDefinition& field) {
  return field.type == FieldType::text ? field.textSize : library::example_layout::storedSize(field.type);
}

// Values take blocks one after another from block 1; each block links back to the one
// before it at offset 0 (0 in a value's first block) and on to the next at offset 4.
class BlockFile {
 public:
  BlockFile() : bytes(kBlockSize, '\0') {}

  // The value's first block number, 0 for an empty value.
  std::uint64_t add(const std::string& value) {
    if (value.empty()) return 0;
    std::uint64_t first = blockCount();
    std::uint64_t previous = 0;
    for (std::size_t at = 0; at < value.size(); at += kDataBytes) {
      std::size_t count = std::min(kDataBytes, value.size() - at);
      std::uint64_t block = blockCount();
      std::size_t start = bytes.size();
      bytes.resize(start + kBlockSize, '\0');
      putU32(bytes, start + kPreviousBlockAt, previous);
      putU32(bytes, start + kNextBlockAt, at + count < value.size() ? block + 1 : 0);
      putU32(bytes, start + kDataCountAt, count);
      std::copy_n(value.begin() + static_cast<std::ptrdiff_t>(at), count,
                  bytes.begin() + static_cast<std::ptrdiff_t>(start + kBlockHeaderSize));
      previous = block;
    }
    return first;
  }

  std::uint64_t blockCount() const { return bytes.size() / kBlockSize; }

  // The header: no free blocks, so both free-block fields hold 0.
  std::string finish() {
    bytes.replace(0, kAuxiliaryMagic.size(), kAuxiliaryMagic);
    putU32(bytes, kVersionAt, kNewestVersion);
    putU32(bytes, kBlockCountAt, blockCount());
    return std::move(bytes);
  }

 private:
  std::string bytes;
};

std::string checkContent(const DatabaseContent& content) {
  if (content.fields.empty()) return "a database needs at least one field";
  std::uint64_t recordLength = 0;
  for (const FieldDefinition& field : content.fields) {
    if (field.name.size() > kLongestFieldName) return "a field name is longer than 16 bytes";
    if (field.type == FieldType::text && field.textSize == 0) return "a text field needs a size";
    recordLength += storedSize(field);
  }
  if (recordLength > kLargestInt32 || content.records.size() > kLargestInt32 ||
      recordLength * content.records.size() > kLargestInt32) {
    return "the records do not fit a database";
  }
  for (const std::vector<std::string>& record : content.records) {
    if (record.size() != content.fields.size()) return "a record does not hold one value per field";
    for (std::size_t i = 0; i < record.size(); ++i) {
      const FieldDefinition& field = content.fields[i];
      if (field.type == FieldType::text ? record[i].size() > field.textSize
                                        : !keepsValuesInBlocks(field.type) && record[i].size() != storedSize(field)) {
        return "a value does not fit its field: " + field.name;
      }
    }
  }
  return {};
}

}  // namespace

WrittenDatabase writeDatabase(const DatabaseContent& content) {
  WrittenDatabase written;
  written.error = checkContent(content);
  if (!written.ok()) return written;

  std::size_t dataStart = kFirstDescriptorAt + kDescriptorSize * content.fields.size();
  std::string& bytes = written.database;
  bytes.assign(dataStart, '\0');
  std::uint64_t recordLength = 0;
  bool usesBlocks = false;
  for (std::size_t i = 0; i < content.fields.size(); ++i) {
    const FieldDefinition& field = content.fields[i];
    std::size_t at = kFirstDescriptorAt + kDescriptorSize * i;
    bytes.replace(at, field.name.size(), field.name);
    putU32(bytes, at + kTypeAt, static_cast<std::uint32_t>(field.type));
    putU32(bytes, at + kFieldOffsetAt, recordLength);
    putU32(bytes, at + kTextSizeAt, field.type == FieldType::text ? field.textSize : 0);
    recordLength += storedSize(field);
    usesBlocks = usesBlocks || keepsValuesInBlocks(field.type);
  }
  bytes.replace(0, kDatabaseMagic.size(), kDatabaseMagic);
  putU32(bytes, kVersionAt, kNewestVersion);
  putU32(bytes, kRecordCountAt, content.records.size());
  putU32(bytes, kPositiveInt32At, dataStart);  // any value above 0 will do: the data start
  putU32(bytes, kRecordLengthAt, recordLength);
  putU32(bytes, kFieldCountAt, content.fields.size());

  BlockFile blocks;
  for (const std::vector<std::string>& record : content.records) {
    for (std::size_t i = 0; i < record.size(); ++i) {
      const FieldDefinition& field = content.fields[i];
      std::string stored(storedSize(field), '\0');
      if (keepsValuesInBlocks(field.type)) {
        putU32(stored, 0, blocks.add(record[i]));
      } else {
        stored.replace(0, record[i].size(), record[i]);
      }
      bytes += stored;
    }
  }
  if (blocks.blockCount() > kLargestInt32) {
    written.database.clear();
    written.error = "the values do not fit an auxiliary file";
  } else if (usesBlocks) {
    written.auxiliary = blocks.finish();
  }
  return written;
}

WrittenDatabase writeExampleDatabase(const std::vector<ExampleRecord>& examples) {
  auto sizeFor = [&](std::string ExampleRecord::*text) {
    std::size_t longest = 0;
    for (const ExampleRecord& example : examples) longest = std::max(longest, (example.*text).size());
    return static_cast<std::uint32_t>(std::min<std::uint64_t>((longest + 1 + 15) / 16 * 16, kLargestInt32));
  };
  DatabaseContent content;
  content.fields = {{"\xCE\xC4\xBC\xFE\xC3\xFB", FieldType::text, sizeFor(&ExampleRecord::fileName)},  // "文件名"
                    {"API\xC3\xFB\xB3\xC6", FieldType::text, sizeFor(&ExampleRecord::apiNames)},       // "API名称"
                    {"\xC0\xFD\xB3\xCC", FieldType::byteSet, 0}};                                      // "例程"
  for (const ExampleRecord& example : examples)
    content.records.push_back({example.fileName, example.apiNames, example.program});
  return writeDatabase(content);
}

}  // namespace examples
