#include "examples/example_lists.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "examples/example_fields.h"
#include "library/example_file_name.h"
#include "navigation/chosen_lists.h"

namespace examples {

namespace {

// Field 1 and 2 text, field 3 a byte set: what every example routine reads them as.
bool holdsExamples(const std::vector<FieldDescriptor>& fields) {
  return fields.size() >= 3 && fields[0].type == FieldType::text && fields[1].type == FieldType::text &&
         fields[2].type == FieldType::byteSet;
}

}  // namespace

platform::Path examplesDatabasePath(const platform::Path& programFolder) {
  return programFolder.asFolder() + platform::Path::fromGbk(kDatabaseFileName);
}

std::unique_ptr<ExampleDatabase> openExamplesDatabase(platform::Files& files, const platform::Path& programFolder,
                                                      platform::MessageBoxes& messages) {
  auto database = std::make_unique<ExampleDatabase>();
  const OpenFault fault = database->open(files, examplesDatabasePath(programFolder));
  if (fault == OpenFault::none && holdsExamples(database->fields())) return database;
  messages.show(fault == OpenFault::inUse ? "API例程数据库正被另一个程序使用（也许是已在运行的另一个API向导），"
                                            "无法打开。关闭那个程序后再启动本程序，就能看到例程。"
                                          : "API例程数据库无法打开,请编译到wizard文件夹中使用！",
                "信息：", platform::MessageIcon::none, platform::MessageButtons::ok);
  return nullptr;
}

std::optional<gbk::Text> listedName(const ExampleDatabase& database) {
  return library::exampleFileName(database.fieldText(kFileNameField));
}

void fillExampleList(ExampleDatabase& records, platform::ListControl& list) {
  records.goToFirst();
  const std::int64_t count = records.recordCount();
  for (std::int64_t n = 1; n <= count; ++n) {
    records.goTo(n);
    if (std::optional<gbk::Text> name = listedName(records)) list.add(*name, static_cast<std::int32_t>(n));
  }
}

namespace {

// The last four bytes of `text` before `end`, ASCII letters in lower case, as one word:
// where name + "/" occurs in a field 2, the four bytes before that "/" are the name's last
// four. Only names of at least four bytes are sifted so.
std::uint32_t tailBefore(std::string_view text, std::size_t end) {
  std::uint32_t tail = 0;
  for (std::size_t i = end - 4; i < end; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
    tail = tail << 8 | c;
  }
  return tail;
}

}  // namespace

std::vector<std::int32_t> findRelatedExamples(ExampleDatabase& records, const std::vector<gbk::Text>& names) {
  // One pass over the records tries every name, instead of one pass per name: the same
  // examples in the same order, so that 10,000 records keep the user waiting for nothing.
  // Only a name whose last four bytes end a name of the record's field 2 gets the full
  // contains test.
  std::vector<gbk::Text> wanted;
  for (const gbk::Text& name : names) wanted.push_back(name + "/");
  std::vector<std::vector<std::int32_t>> byName(names.size());
  std::vector<std::uint32_t> tails;
  const std::int64_t count = records.recordCount();
  for (std::int64_t record = 1; record <= count; ++record) {
    records.goTo(record);
    std::string_view apis = records.fieldText(kRelatedApisField);
    tails.clear();
    for (std::size_t slash = apis.find('/'); slash != std::string_view::npos; slash = apis.find('/', slash + 1)) {
      if (slash >= 4) tails.push_back(tailBefore(apis, slash));
    }
    for (std::size_t i = 0; i < wanted.size(); ++i) {
      std::string_view name = names[i];
      if (name.size() >= 4 && std::find(tails.begin(), tails.end(), tailBefore(name, name.size())) == tails.end()) {
        continue;
      }
      if (gbk::containsIgnoringAsciiCase(apis, wanted[i])) byName[i].push_back(static_cast<std::int32_t>(record));
    }
  }
  // Grouped by name in the order of `names`, each record once, where it first turns up.
  std::vector<std::int32_t> related;
  std::vector<bool> listed(static_cast<std::size_t>(std::max<std::int64_t>(count, 0)) + 1);
  for (const std::vector<std::int32_t>& found : byName) {
    for (std::int32_t record : found) {
      if (!listed[static_cast<std::size_t>(record)]) {
        listed[static_cast<std::size_t>(record)] = true;
        related.push_back(record);
      }
    }
  }
  return related;
}

void fillRelatedExamplesList(window::StartupWindow& w, const library::Catalog& catalog, ExampleDatabase* database) {
  platform::CheckListBox& list = w.选择列表框_选用例程;
  list.removeAll();
  if (!database) return;
  std::vector<gbk::Text> names;
  for (int pos = 0; pos < w.选择列表框_选用API.count(); ++pos) {
    if (const library::CatalogEntry* entry = catalog.entry(w.选择列表框_选用API.itemData(pos))) {
      names.emplace_back(entry->englishName);
    }
  }
  for (std::int32_t record : findRelatedExamples(*database, names)) {
    database->goTo(record);
    if (std::optional<gbk::Text> name = listedName(*database)) list.add(*name, record);
  }
}

void 列表框_例程列表_itemSelected(window::StartupWindow& w, ExampleDatabase* database) {
  int pos = w.列表框_例程列表.currentSelection();
  if (pos < 0 || !database) return;
  database->goTo(w.列表框_例程列表.itemData(pos));
  window::showInStatusBar(w, "API例程：", w.列表框_例程列表.itemText(pos));
}

void 选择列表框_选用例程_itemSelected(platform::StatusBar& status) { status.setPartText(1, ""); }

}  // namespace examples
