// Opening one example through the save-file dialog `通用对话框1`, and saving the ticked
// examples of the chosen example list into one folder; both hand a written file to the IDE.
#pragma once

#include "examples/example_database.h"
#include "platform/controls.h"
#include "window/wizard.h"

namespace examples {

// Writes the example selected in `list` where the user picks in the save-file dialog and
// starts the IDE on it. Cancelling the dialog is the user's choice and shows nothing. An
// example that cannot be read is reported by name before the dialog; a write that fails
// ("文件无法写出！") is reported and starts nothing.
// Nothing is written but whole: a file the user chose to replace stays as it was.
void openExample(window::Services& services, ExampleDatabase* database, platform::ListControl& list);

// `按钮_导入` on the chosen area's examples page: the ticked examples of `选择列表框_选用例程`
// go into a folder that the user picks, each under its own name or a numbered one, never
// replacing a file; the IDE starts on the first file actually written. Examples that
// cannot be read or written are named in one message; the others are saved all the same.
void saveChosenExamples(window::Services& services, ExampleDatabase* database, platform::CheckListBox& list);

// Handlers (the event table wires them).
void 列表框_例程列表_doubleClicked(window::Services& services, ExampleDatabase* database, platform::ListBox& list);
void 选择列表框_选用例程_doubleClicked(window::Services& services, ExampleDatabase* database,
                                       platform::CheckListBox& list);

}  // namespace examples
