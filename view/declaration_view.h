// The declaration view: the table form in `高级表格1` and the text form in
// `编辑框_文本形式`, both filled whenever a declaration is shown.
#pragma once

#include <string_view>

#include "library/declaration_lookup.h"

namespace app {
class WizardApp;
}

namespace view {

// Looks the DLL command up (by catalog line or by Chinese name) and shows it in both
// forms, the text form followed by the texts of the data types it needs. Nothing
// changes if the lookup finds nothing.
void showDllCommand(app::WizardApp& app, std::string_view key, bool byLine);

// Looks the data type up by name and shows it in both forms.
void showDataType(app::WizardApp& app, std::string_view name);

// Shows `画板1` over `高级表格1` with the picture of this moment while the grid is
// refilled; hides it again when it goes out of scope.
class CoverWhileRefilling {
 public:
  explicit CoverWhileRefilling(app::WizardApp& app);
  ~CoverWhileRefilling();
  CoverWhileRefilling(const CoverWhileRefilling&) = delete;
  CoverWhileRefilling& operator=(const CoverWhileRefilling&) = delete;

 private:
  app::WizardApp& app_;
};

// Handlers (the event table wires them).
void 单选框_文本形式_clicked(app::WizardApp& app);
void 单选框_代码形式_clicked(app::WizardApp& app);
void 高级表格1_cursorCellChanged(app::WizardApp& app);

}  // namespace view
