// The search page's examples: hits from the examples database's file names, in the
// sorted `列表框_搜索结果`, each with its record number.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/gbk_text.h"
#include "examples/example_database.h"
#include "platform/controls.h"
#include "window/wizard.h"

namespace examples {

struct ExampleHit {
  gbk::Text fileName;
  std::int32_t recordNumber = 0;
};

// The examples whose listed name contains `text` (library::exampleFileName; a record that
// no list shows is no hit), in record order; nothing while no examples database is open.
std::vector<ExampleHit> findExamples(ExampleDatabase* database, std::string_view text);

// The hits of `text` in `results`, which the caller has emptied.
void listExampleHits(platform::ListBox& results, ExampleDatabase* database, std::string_view text);

// The selected hit becomes the current record and is named in the status bar; an example
// shows nothing more.
void showExampleHit(window::StartupWindow& w, ExampleDatabase* database);

}  // namespace examples
