// Writes an examples database and its auxiliary file (layout and the writer's choices in
// docs/examples-database.md). Used by the build tool, the tests' fixtures and the
// benchmarks; the wizard itself only reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "library/example_database_layout.h"

namespace examples {

using library::example_layout::FieldType;

struct FieldDefinition {
  std::string name;  // GBK, at most 16 bytes
  FieldType type = FieldType::text;
  std::uint32_t textSize = 0;  // bytes in a record, for text fields only
};

// Each record holds one value per field, in field order: a text (at most the field's size;
// one of exactly that size is stored without a NUL), the bytes of a byte set or memo value,
// or for every other type its little-endian bytes as stored (1, 2, 4 or 8 of them).
struct DatabaseContent {
  std::vector<FieldDefinition> fields;
  std::vector<std::vector<std::string>> records;
};

struct WrittenDatabase {
  std::string database;
  std::string auxiliary;  // empty when no field keeps its values in blocks
  std::string error;      // what the content breaks, in English; empty on success
  bool ok() const { return error.empty(); }
};

WrittenDatabase writeDatabase(const DatabaseContent& content);

struct ExampleRecord {
  std::string fileName;  // GBK, field 1
  std::string apiNames;  // field 2: English entry names, each followed by "/"
  std::string program;   // field 3: the example's program file
};

// The three fields of the examples database, each text field as long as its longest value
// needs, with room for a NUL, in steps of 16 bytes.
WrittenDatabase writeExampleDatabase(const std::vector<ExampleRecord>& examples);

}  // namespace examples
