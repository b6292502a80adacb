// The wizard program: program start, the handlers of the window itself and shut-down.
#pragma once

#include "window/wizard.h"

namespace app {

class WizardApp {
 public:
  // Program start: the global state, the start-up window and its event table.
  explicit WizardApp(const window::Services& services);

  // Shows the window and runs it until it is destroyed, then shuts down; the exit code.
  int run();

  window::Wizard wizard;
};

// Handlers of the window itself (the event table wires them).
void startUp(window::Wizard& wizard);
void 选择夹_选用区_pageChanged(window::Wizard& wizard);
void 按钮_关闭程序_clicked(window::StartupWindow& w);
// Page 0 imports the ticked APIs; the examples page saves the ticked examples.
void 按钮_导入_clicked(window::Wizard& wizard);
// Releases the global state after the message loop has ended.
void shutDown(window::GlobalState& state);

// Wires every control event of the start-up window to its handler.
void wireEventTable(window::Wizard& wizard);

}  // namespace app
