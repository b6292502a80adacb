// The wizard program: its global state, its one window and the handlers of the window itself.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "app/startup_window.h"
#include "library/declaration_lookup.h"
#include "library/gbk_text.h"
#include "platform/dialogs.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "platform/ui.h"
#include "view/grid_renderer.h"

namespace app {

// Lives from program start to the shut-down routine.
struct GlobalState {
  std::vector<gbk::Text> catalogLines;                 // the catalog line list; entry n is catalogLines[n - 1]
  std::int32_t searchResultsAreApis = 0;               // the search-result kind flag
  library::LookupLists lookupLists;                    // rebuilt by each DLL command lookup
  std::unique_ptr<view::GridRenderer> gridRenderer;    // the one renderer, measuring in `画板1`'s font
  bool examplesDatabaseOpen = false;
};

struct Services {
  platform::Ui& ui;
  platform::Shell& shell;
  platform::Dialogs& dialogs;
  platform::MessageBoxes& messages;
};

class WizardApp {
 public:
  // Program start: the global state, the start-up window and its event table.
  explicit WizardApp(const Services& services);

  // Shows the window and runs it until it is destroyed, then shuts down; the exit code.
  int run();

  Services services;
  GlobalState state;
  StartupWindow window;
};

// The status bar's two parts: what kind of thing is on view and its name. The first
// part is as wide as its text in `画板1`'s font, plus 5 pixels.
void showInStatusBar(WizardApp& app, std::string_view kind, std::string_view name);

// Handlers of the window itself (the event table wires them).
void startUp(WizardApp& app);
void 选择夹_选用区_pageChanged(WizardApp& app);
void 按钮_关闭程序_clicked(WizardApp& app);
// Releases the global state after the message loop has ended.
void shutDown(GlobalState& state);

// Wires every control event of the start-up window to its handler.
void wireEventTable(WizardApp& app);

}  // namespace app
