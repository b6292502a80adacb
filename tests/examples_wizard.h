// The headless wizard with an examples database in its in-memory files.
#pragma once

#include <string>
#include <vector>

#include "examples/example_database.h"
#include "examples/example_lists.h"
#include "headless_wizard.h"
#include "navigation/chosen_lists.h"
#include "tests/path_printing.h"
#include "tools/example_database_writer.h"

struct ExamplesWizard : HeadlessWizard {
  // Beside the program, in the headless shell's program folder.
  inline static const platform::Path kDatabase = u"C:\\E\\wizard\\API例程.edb";

  // Five examples: field 2 in mixed and lower case, one API inside a longer name, a source
  // with a NUL and CR LF.
  static std::vector<examples::ExampleRecord> fiveExamples() {
    return {{"取窗口标题.e", "GetWindowTextA/SendMessageA/", std::string("源程序\0一\r\n", 12)},
            {"绘制文本.e", "ExtTextOutA/", "ext"},
            {"小写名称.e", "getwindowtexta/", "lower"},
            {"菜单信息", "GetMenuItemInfoA/", "menu"},
            {"消息框.e", "MessageBoxA/", ""}};
  }

  explicit ExamplesWizard(const std::vector<examples::ExampleRecord>& records = fiveExamples())
      : ExamplesWizard(examples::writeExampleDatabase(records)) {}

  explicit ExamplesWizard(const examples::WrittenDatabase& written) {
    files.contents.emplace(kDatabase, written.database);
    files.contents.emplace(examples::auxiliaryFileName(kDatabase), written.auxiliary);
    start();
  }

  // Adds the API item of an entry, as a double-click in the tree does.
  void choose(std::string_view english) { navigation::addCatalogEntryToChosenApiList(w, catalog(), entryOf(english)); }

  void showChosenExamplesPage() { w.选择夹_选用区.userChangedPage(1); }

  std::vector<std::pair<std::string, std::int32_t>> items(const platform::ListControl& list) const {
    std::vector<std::pair<std::string, std::int32_t>> result;
    for (int pos = 0; pos < list.count(); ++pos) result.emplace_back(list.itemText(pos), list.itemData(pos));
    return result;
  }
};
