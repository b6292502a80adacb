// The examples database at start-up, the example list `列表框_例程列表`, and the chosen
// example list `选择列表框_选用例程` of the examples that use the chosen APIs. An example
// item's text is its file name (field 1), its item data its record number.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "library/example_records.h"
#include "library/gbk_text.h"
#include "platform/controls.h"
#include "window/wizard.h"

namespace examples {

// Found by its bare name in the working folder, which is the program's own.
inline constexpr std::string_view kDatabaseFileName = "API例程.edb";

// Opens the examples database, read-only and exclusive, into the window's state; when it
// cannot be opened, or its first three fields are not text, text and byte set, says so
// once. True if it opened.
bool openExamplesDatabase(window::Wizard& wizard);

// One example item per record, in record order, added to `list`, under the name that
// library::exampleFileName makes of field 1; a record whose name cannot be a file name is
// left out.
void fillExampleList(window::Wizard& wizard, platform::ListControl& list);

// The records whose field 2 holds one of `names` followed by "/" (ASCII letters in either
// case; a name also matches a longer one that ends in it): grouped by name in the order of
// `names`, within a name in record order, each record once, where it first turns up.
std::vector<std::int32_t> findRelatedExamples(library::ExampleRecords& records, const std::vector<gbk::Text>& names);

// Rebuilds `选择列表框_选用例程` from the English names of the chosen API list's entries
// (a data type item counts through its entry number), all unchecked.
void fillRelatedExamplesList(window::Wizard& wizard);

// Handlers (the event table wires them).
void 列表框_例程列表_itemSelected(window::Wizard& wizard);
void 选择列表框_选用例程_itemSelected(window::Wizard& wizard);

}  // namespace examples
