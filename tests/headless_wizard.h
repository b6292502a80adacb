// The wizard on the headless platform, as the native tests drive it.
#pragma once

#include "app/wizard_app.h"
#include "platform/headless/headless_ui.h"

struct HeadlessWizard {
  platform::headless::HeadlessUi ui;
  platform::headless::HeadlessShell shell;
  platform::headless::HeadlessDialogs dialogs;
  platform::headless::HeadlessMessageBoxes messages;
  app::WizardApp wizard{app::Services{ui, shell, dialogs, messages}};
  app::StartupWindow& w = wizard.window;

  // Lays the window out and runs its start-up handler, as program start does.
  void start() { ui.run(w.启动窗口); }
};
