#include "examples/example_opening.h"

#include "examples/example_files.h"

namespace examples {
namespace {

using library::ExampleRecords;

void sayCannotWrite(window::Wizard& wizard) {
  wizard.services.messages.show("文件无法写出！", "信息：", platform::MessageIcon::Warning,
                                platform::MessageButtons::Ok);
}

}  // namespace

void openExample(window::Wizard& wizard, platform::ListControl& list) {
  ExampleRecords* records = wizard.state.examples.get();
  int pos = list.currentSelection();
  if (!records || pos < 0) return;
  records->goTo(list.itemData(pos));
  platform::Dialogs& dialog = wizard.services.dialogs;
  dialog.setSaveFileName(safeFileName(records->fieldBytes(ExampleRecords::kFileNameField)));
  if (!dialog.showSaveDialog()) return;
  std::string path = dialog.saveFileName();
  if (!wizard.services.files.write(path, records->fieldBytes(ExampleRecords::kSourceField))) {
    sayCannotWrite(wizard);
    return;
  }
  startIde(wizard.services.files, wizard.services.shell, path);
}

void saveChosenExamples(window::Wizard& wizard) {
  platform::CheckListBox& list = wizard.window.选择列表框_选用例程;
  ExampleRecords* records = wizard.state.examples.get();
  bool anyTicked = false;
  for (int pos = 0; pos < list.count() && !anyTicked; ++pos) anyTicked = list.checked(pos);
  if (!records || !anyTicked) return;
  std::string folder = wizard.services.dialogs.pickFolder("请指定一个例程保存路径：");
  if (folder.empty()) return;
  folder = withTrailingBackslash(folder);
  std::string firstWritten;
  for (int pos = 0; pos < list.count(); ++pos) {
    if (!list.checked(pos)) continue;
    records->goTo(list.itemData(pos));
    std::string path = freePath(wizard.services.files, folder, safeFileName(list.itemText(pos)));
    // A failed write is not reported and does not stop the others, but the IDE is
    // handed only a file that is there.
    bool written = wizard.services.files.write(path, records->fieldBytes(ExampleRecords::kSourceField));
    if (written && firstWritten.empty()) firstWritten = path;
  }
  if (!firstWritten.empty()) startIde(wizard.services.files, wizard.services.shell, firstWritten);
}

void 列表框_例程列表_doubleClicked(window::Wizard& wizard) { openExample(wizard, wizard.window.列表框_例程列表); }

void 选择列表框_选用例程_doubleClicked(window::Wizard& wizard) {
  platform::CheckListBox& list = wizard.window.选择列表框_选用例程;
  int pos = list.currentSelection();
  if (pos < 0) return;
  gbk::Text question = "是否要打开例程“" + list.itemText(pos) + "”？";
  if (wizard.services.messages.show(question, "是否要打开例程", platform::MessageIcon::Question,
                                    platform::MessageButtons::YesNo) == platform::MessageAnswer::Yes) {
    openExample(wizard, list);
  }
}

}  // namespace examples
