#include "examples/example_search.h"

#include <optional>

#include "examples/example_lists.h"

namespace examples {

std::vector<ExampleHit> findExamples(ExampleDatabase* database, std::string_view text) {
  if (!database) return {};
  std::optional<gbk::Text> name;
  auto matches = [&] {
    name = listedName(*database);
    return name && gbk::containsIgnoringAsciiCase(*name, text);
  };
  std::vector<ExampleHit> hits;
  database->goToFirst();
  while (database->search(matches)) {
    hits.push_back({*name, static_cast<std::int32_t>(database->currentRecord())});
    if (!database->skip()) break;
  }
  return hits;
}

void listExampleHits(platform::ListBox& results, ExampleDatabase* database, std::string_view text) {
  for (const ExampleHit& hit : findExamples(database, text)) results.add(hit.fileName, hit.recordNumber);
}

void showExampleHit(window::StartupWindow& w, ExampleDatabase* database) {
  platform::ListBox& list = w.列表框_搜索结果;
  int pos = list.currentSelection();
  if (database) database->goTo(list.itemData(pos));
  window::showInStatusBar(w, "API例程：", list.itemText(pos));
}

}  // namespace examples
