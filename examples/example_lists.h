// The examples database at start-up, the example list `列表框_例程列表`, and the chosen
// example list `选择列表框_选用例程` of the examples that use the chosen APIs. An example
// item's text is its file name (field 1, as library::exampleFileName lists it), its item
// data its record number. The database is null where it could not be opened.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "base/gbk_text.h"
#include "examples/example_database.h"
#include "platform/controls.h"
#include "platform/message_box.h"
#include "window/wizard.h"

namespace examples {

// The examples database lies in the program's own folder.
inline constexpr std::string_view kDatabaseFileName = "API例程.edb";
platform::Path examplesDatabasePath(const platform::Path& programFolder);

// Opens the examples database, read-only and exclusive; when it cannot be opened, or its
// first three fields are not text, text and byte set, says so once and gives null. A
// database that another program holds (a wizard started before this one) is told apart
// from one that is missing or damaged.
std::unique_ptr<ExampleDatabase> openExamplesDatabase(platform::Files& files, const platform::Path& programFolder,
                                                      platform::MessageBoxes& messages);

// The name that the lists show for the current record; none when the record's name
// cannot be a file name, and the record is then listed nowhere.
std::optional<gbk::Text> listedName(const ExampleDatabase& database);

// One example item per listed record, in record order, added to `list`.
void fillExampleList(ExampleDatabase& database, platform::ListControl& list);

// The records whose field 2 holds one of `names` followed by "/" (ASCII letters in either
// case; a name also matches a longer one that ends in it): grouped by name in the order of
// `names`, within a name in record order, each record once, where it first turns up.
std::vector<std::int32_t> findRelatedExamples(ExampleDatabase& database, const std::vector<gbk::Text>& names);

// Rebuilds `选择列表框_选用例程` from the English names of the chosen API list's entries
// (a data type item counts through its entry number), all unchecked.
void fillRelatedExamplesList(window::StartupWindow& w, const library::Catalog& catalog, ExampleDatabase* database);

// Handlers (the event table wires them).
void 列表框_例程列表_itemSelected(window::StartupWindow& w, ExampleDatabase* database);
void 选择列表框_选用例程_itemSelected(platform::StatusBar& status);

}  // namespace examples
