// The declaration view: the table form in `高级表格1`, the text form in `编辑框_文本形式`
// and the constants it names in `高级表格_常量`, all filled whenever a declaration is shown.
#pragma once

#include <string_view>

#include "library/declaration_copy.h"
#include "library/library.h"
#include "platform/controls.h"

namespace window {
class StartupWindow;
}

namespace view {

// Looks the declaration up in the library and shows it in both forms, with the constants
// it names. A DLL command, named by its Chinese name, shows in the text form followed by
// the texts of the data types it needs. Nothing changes if the lookup finds nothing.
void showDeclaration(window::StartupWindow& w, const library::Library& library,
                     const library::DeclarationName& declaration);

// Shows `画板1` over `高级表格1` with the picture of this moment while the grid is
// refilled; hides it again when it goes out of scope. Given another board, covers
// that board's grid the same way.
class CoverWhileRefilling {
 public:
  explicit CoverWhileRefilling(window::StartupWindow& w);
  explicit CoverWhileRefilling(platform::DrawingBoard& board);
  ~CoverWhileRefilling();
  CoverWhileRefilling(const CoverWhileRefilling&) = delete;
  CoverWhileRefilling& operator=(const CoverWhileRefilling&) = delete;

 private:
  platform::DrawingBoard& board_;
};

// Nothing to show (a category node is current): the text form empties and
// `高级表格1` becomes one empty white cell.
void showNothing(window::StartupWindow& w);

// Handlers (the event table wires them).
void 单选框_文本形式_clicked(window::StartupWindow& w);
void 单选框_代码形式_clicked(window::StartupWindow& w);
void 单选框_常量形式_clicked(window::StartupWindow& w);
// The parameter type lookup: when the cursor lands on a parameter whose type is a data
// type, `高级表格2` shows that type beside `高级表格1`, in the right half of the form
// area, until the next declaration is shown, the text form is chosen, the cursor
// moves to a row without such a type, or the window is laid out again.
void 高级表格1_cursorCellChanged(window::StartupWindow& w, const library::LibraryTexts& texts);

}  // namespace view
