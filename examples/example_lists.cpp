#include "examples/example_lists.h"

#include <algorithm>
#include <memory>

#include "examples/example_database.h"
#include "navigation/chosen_lists.h"

namespace examples {

bool openExamplesDatabase(window::Wizard& wizard) {
  auto database = std::make_unique<ExampleDatabase>();
  if (database->open(wizard.services.files, kDatabaseFileName) != OpenFault::none) {
    wizard.services.messages.show("API例程数据库无法打开,请编译到wizard文件夹中使用！", "信息：",
                                  platform::MessageIcon::None, platform::MessageButtons::Ok);
    return false;
  }
  wizard.state.examples = std::move(database);
  return true;
}

void fillExampleList(window::Wizard& wizard, platform::ListControl& list) {
  library::ExampleRecords& records = *wizard.state.examples;
  records.goToFirst();
  std::int32_t count = records.recordCount();
  for (std::int32_t n = 1; n <= count; ++n) {
    records.goTo(n);
    list.add(records.fieldBytes(library::ExampleRecords::kFileNameField), n);
  }
}

std::vector<std::int32_t> findRelatedExamples(library::ExampleRecords& records, const std::vector<gbk::Text>& names) {
  std::vector<std::int32_t> related;
  for (const gbk::Text& name : names) {
    gbk::Text wanted = name + "/";
    auto usesName = [&] {
      return gbk::containsIgnoringAsciiCase(records.fieldText(library::ExampleRecords::kRelatedApisField), wanted);
    };
    records.goToFirst();
    while (records.search(usesName)) {
      std::int32_t record = records.currentRecord();
      if (std::find(related.begin(), related.end(), record) == related.end()) related.push_back(record);
      if (!records.skip()) break;
    }
  }
  return related;
}

void fillRelatedExamplesList(window::Wizard& wizard) {
  window::StartupWindow& w = wizard.window;
  platform::CheckListBox& list = w.选择列表框_选用例程;
  list.removeAll();
  if (!wizard.state.examples) return;
  std::vector<gbk::Text> names;
  for (int pos = 0; pos < w.选择列表框_选用API.count(); ++pos) {
    const gbk::Text* line = navigation::catalogEntry(wizard.state.catalogLines, w.选择列表框_选用API.itemData(pos));
    if (!line) continue;
    std::vector<gbk::Text> fields = gbk::split(*line, ",");
    if (fields.size() >= 3) names.push_back(fields[0]);
  }
  library::ExampleRecords& records = *wizard.state.examples;
  for (std::int32_t record : findRelatedExamples(records, names)) {
    records.goTo(record);
    list.add(records.fieldBytes(library::ExampleRecords::kFileNameField), record);
  }
}

void 列表框_例程列表_itemSelected(window::Wizard& wizard) {
  window::StartupWindow& w = wizard.window;
  int pos = w.列表框_例程列表.currentSelection();
  if (pos < 0 || !wizard.state.examples) return;
  wizard.state.examples->goTo(w.列表框_例程列表.itemData(pos));
  window::showInStatusBar(w, "API例程：", w.列表框_例程列表.itemText(pos));
}

void 选择列表框_选用例程_itemSelected(window::Wizard& wizard) { wizard.window.状态条.setPartText(1, ""); }

}  // namespace examples
