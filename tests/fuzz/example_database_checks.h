// What every pair of database and auxiliary file must keep, whatever their bytes: shared by
// the libFuzzer target, the native tests' mutation run and the regression inputs.
//
// A fuzz input carries both files: a 4-byte little-endian length n, n bytes of the database
// file (fewer if the input ends first), then the auxiliary file.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/gbk_text.h"
#include "examples/example_database.h"
#include "platform/headless/headless_files.h"

namespace examples::fuzzing {

inline const platform::Path kDatabasePath = u"examples.edb";
inline const platform::Path kAuxiliaryPath = u"examples.EDT";

struct FilePair {
  std::string database;
  std::string auxiliary;
};

inline std::string joinInput(const FilePair& files) {
  std::string input(4, '\0');
  for (std::size_t i = 0; i < 4; ++i) input[i] = static_cast<char>(files.database.size() >> (8 * i) & 0xFF);
  return input + files.database + files.auxiliary;
}

inline FilePair splitInput(std::string_view input) {
  if (input.size() < 4) return {};
  std::uint64_t length = 0;
  for (std::size_t i = 4; i-- > 0;) length = length << 8 | static_cast<unsigned char>(input[i]);
  input.remove_prefix(4);
  std::size_t cut = static_cast<std::size_t>(std::min<std::uint64_t>(length, input.size()));
  return {std::string(input.substr(0, cut)), std::string(input.substr(cut))};
}

inline bool sameValue(const FieldValue& a, const FieldValue& b) {
  bool sameReal = a.real == b.real || (std::isnan(a.real) && std::isnan(b.real));
  return a.type == b.type && a.fault == b.fault && a.integer == b.integer && sameReal && a.logical == b.logical &&
         a.bytes == b.bytes;
}

// The first broken property, or nullptr. `opened` tells whether the open succeeded.
inline const char* checkDatabase(const FilePair& input, bool& opened) {
  platform::headless::HeadlessFiles files;
  files.contents.emplace(kDatabasePath, input.database);
  files.contents.emplace(kAuxiliaryPath, input.auxiliary);
  ExampleDatabase database;
  opened = database.open(files, kDatabasePath) == OpenFault::none;
  if (!opened) {
    if (database.isOpen() || files.held(kDatabasePath) || files.held(kAuxiliaryPath))
      return "a failed open holds a file";
    return database.recordCount() == 0 ? nullptr : "a failed open has records";
  }

  const std::int32_t count = database.recordCount();
  const auto& fields = database.fields();
  const std::uint64_t blockBytes = input.auxiliary.size() / 512 * 500;
  for (std::int32_t record = 1; record <= count; ++record) {
    database.goTo(record);
    if (database.currentRecord() != record) return "go to record missed the record";
    for (std::size_t i = 0; i < fields.size(); ++i) {
      FieldValue value = database.readField(static_cast<int>(i) + 1);
      if (value.type != fields[i].type) return "a value of another type than its field";
      bool blocks = value.type == FieldType::byteSet || value.type == FieldType::memo;
      if (value.fault != ReadFault::none && !(blocks && value.fault == ReadFault::brokenChain)) return "a read failed";
      if (value.fault != ReadFault::none && !value.bytes.empty()) return "a failed read has bytes";
      if (value.type == FieldType::text && value.bytes.size() > fields[i].size) return "a text longer than its field";
      if (database.fieldText(static_cast<int>(i) + 1) != (value.type == FieldType::text ? value.bytes : "")) {
        return "a text read in place differs from the value read";
      }
      if ((value.type == FieldType::text || value.type == FieldType::memo) &&
          value.bytes.find('\0') != std::string::npos) {
        return "a text holds a NUL";
      }
      if (blocks && value.bytes.size() > blockBytes) return "a value longer than its blocks can hold";
      if (value.type == FieldType::dateTime && (value.real < -657434 || value.real > 2958465))
        return "an unclamped date";
      auto named = std::find_if(fields.begin(), fields.end(), [&](const FieldDescriptor& field) {
        return field.name.size() == fields[i].name.size() &&
               gbk::startsWithIgnoringAsciiCase(field.name, fields[i].name);
      });
      if (!sameValue(database.readField(named->name),
                     database.readField(static_cast<int>(named - fields.begin()) + 1))) {
        return "a field read by name differs from the same field read by number";
      }
    }
  }
  if (database.readField(0).fault != ReadFault::noSuchField ||
      database.readField(static_cast<int>(fields.size()) + 1).fault != ReadFault::noSuchField) {
    return "a field number outside the table was read";
  }

  // A number outside the records goes to the nearest one, 1 when there are none.
  const std::int64_t numbers[] = {INT64_MIN, INT32_MIN, -1, 0, std::int64_t{count} + 1, INT32_MAX, INT64_MAX};
  for (std::int64_t number : numbers) {
    database.goTo(number);
    if (database.currentRecord() != std::clamp<std::int64_t>(number, 1, std::max(count, 1))) {
      return "go to a number outside the records missed the nearest record";
    }
  }

  database.goTo(count);
  if (count > 0 && (!database.skip() || database.currentRecord() != count + 1)) return "skip did not pass the end";
  if (database.skip() || database.currentRecord() != (count > 0 ? count + 1 : 1)) return "skip moved past the end";
  if (count > 0 && database.readField(1).fault != ReadFault::pastTheEnd) return "a record past the end was read";

  database.goToFirst();
  std::int32_t visited = 0;
  bool inOrder = true;
  if (database.search([&] {
        inOrder = inOrder && database.currentRecord() == ++visited;
        return false;
      }) ||
      database.currentRecord() != 1) {
    return "a failed search moved the current record";
  }
  if (!inOrder || visited != count) return "a search did not visit each record once in order";
  database.goToFirst();
  if (count > 0 &&
      (!database.search([&] { return database.currentRecord() == count; }) || database.currentRecord() != count)) {
    return "a search did not stop at the record found";
  }
  return nullptr;
}

}  // namespace examples::fuzzing
