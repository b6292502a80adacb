// The examples database as the example lists, the search and the openers use it: records
// addressed by their 1-based number through one current record. The reader of its file
// lies in examples/; the window's state holds it through this interface, so the search
// below the examples reaches it too.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace library {

class ExampleRecords {
 public:
  // The fields of an example record.
  static constexpr int kFileNameField = 1;     // text: the name it is written under
  static constexpr int kRelatedApisField = 2;  // text: English entry names, each followed by "/"
  static constexpr int kSourceField = 3;       // byte set: the E source file, whole

  virtual ~ExampleRecords() = default;
  virtual std::int32_t recordCount() const = 0;
  virtual void goToFirst() = 0;
  // Clamped to 1 … record count.
  virtual void goTo(std::int64_t record) = 0;
  // The next record becomes current, at most just past the last; false when it cannot move.
  virtual bool skip() = 0;
  // 64 bits wide: just past the last of 2,147,483,647 records is a record number too.
  virtual std::int64_t currentRecord() const = 0;
  // Field `number` of the current record as bytes: a text up to its NUL, a byte set whole;
  // nullopt past the last record or when the value cannot be read (a damaged block chain).
  [[nodiscard]] virtual std::optional<std::string> fieldBytes(int number) const = 0;
  // A text field of the current record in place, without a copy: valid until the records
  // are closed; empty for other fields and past the last record. What conditions read,
  // since a search evaluates its condition once for every record.
  virtual std::string_view fieldText(int number) const = 0;
  // From the current record to the last, the first for which `condition` holds becomes
  // current and the result is true; otherwise the current record stays and it is false.
  virtual bool search(const std::function<bool()>& condition) = 0;
};

}  // namespace library
