#include "examples/example_opening.h"

#include "examples/example_fields.h"
#include "examples/example_files.h"
#include "examples/example_lists.h"

namespace examples {
namespace {

// Saving more examples than this names the first ones and counts the rest.
constexpr std::size_t kNamesInAMessage = 10;

void warn(window::Services& services, const gbk::Text& text) {
  services.messages.show(text, "信息：", platform::MessageIcon::warning, platform::MessageButtons::ok);
}

gbk::Text damaged(std::string_view name) { return "例程“" + gbk::Text(name) + "”已损坏，读不出来，没有写出文件。"; }

// One line per example under `heading`.
gbk::Text listing(std::string_view heading, const std::vector<gbk::Text>& names) {
  gbk::Text text(heading);
  for (std::size_t i = 0; i < names.size() && i < kNamesInAMessage; ++i) text += "\r\n" + names[i];
  if (names.size() > kNamesInAMessage) text += "\r\n……共 " + std::to_string(names.size()) + " 个";
  return text;
}

}  // namespace

void openExample(window::Services& services, ExampleDatabase* records, platform::ListControl& list) {
  int pos = list.currentSelection();
  if (!records || pos < 0) return;
  records->goTo(list.itemData(pos));
  std::optional<gbk::Text> name = listedName(*records);
  if (!name) return;  // never listed
  std::optional<std::string> source = records->fieldBytes(kSourceField);
  // A damaged example is reported before the user picks a place for it.
  if (!source) {
    warn(services, damaged(*name));
    return;
  }
  platform::Dialogs& dialog = services.dialogs;
  dialog.setSaveFileName(platform::Path::fromGbk(*name));
  if (dialog.showSaveDialog() != platform::DialogAnswer::chosen) return;
  // The dialog asked before a file was replaced.
  const platform::Path& path = dialog.saveFileName();
  if (!writeWholeFile(services.files, path, *source, Replace::existingFile)) {
    warn(services, "文件无法写出！");
    return;
  }
  startIde(services.files, services.shell, path);
}

void saveChosenExamples(window::Services& services, ExampleDatabase* records, platform::CheckListBox& list) {
  bool anyTicked = false;
  for (int pos = 0; pos < list.count() && !anyTicked; ++pos) anyTicked = list.checked(pos);
  if (!records || !anyTicked) return;
  platform::Path folder;
  if (services.dialogs.pickFolder("请指定一个例程保存路径：", folder) != platform::DialogAnswer::chosen) return;
  folder = folder.asFolder();
  platform::Path firstWritten;
  std::vector<gbk::Text> unreadable;
  std::vector<gbk::Text> unwritten;
  for (int pos = 0; pos < list.count(); ++pos) {
    if (!list.checked(pos)) continue;
    // The item's text is the name as listed, already fit to be a file name.
    const gbk::Text& name = list.itemText(pos);
    records->goTo(list.itemData(pos));
    std::optional<std::string> source = records->fieldBytes(kSourceField);
    if (!source) {
      unreadable.push_back(name);
      continue;
    }
    platform::Path path = freePath(services.files, folder, name);
    if (path.empty() || !writeWholeFile(services.files, path, *source, Replace::never)) {
      unwritten.push_back(name);
    } else if (firstWritten.empty()) {
      firstWritten = path;
    }
  }
  // One message for all that went wrong; the others are written all the same.
  gbk::Text problems;
  if (!unreadable.empty()) problems = listing("这些例程已损坏，读不出来，没有写出：", unreadable);
  if (!unwritten.empty()) {
    problems += (problems.empty() ? "" : "\r\n\r\n") + listing("这些例程无法写到“" + folder.shown() + "”：", unwritten);
  }
  if (!problems.empty()) warn(services, problems);
  if (!firstWritten.empty()) startIde(services.files, services.shell, firstWritten);
}

void 列表框_例程列表_doubleClicked(window::Services& services, ExampleDatabase* database, platform::ListBox& list) {
  openExample(services, database, list);
}

void 选择列表框_选用例程_doubleClicked(window::Services& services, ExampleDatabase* database,
                                       platform::CheckListBox& list) {
  int pos = list.currentSelection();
  if (pos < 0) return;
  gbk::Text question = "是否要打开例程“" + list.itemText(pos) + "”？";
  if (services.messages.show(question, "是否要打开例程", platform::MessageIcon::question,
                             platform::MessageButtons::yesNo) == platform::MessageAnswer::yes) {
    openExample(services, database, list);
  }
}

}  // namespace examples
