// The wizard on the headless platform, as the native tests drive it.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "app/wizard_app.h"
#include "platform/headless/headless_files.h"
#include "platform/headless/headless_kernel_objects.h"
#include "platform/headless/headless_ui.h"

struct HeadlessWizard {
  // The window on a display of this scale (96 pixels per inch unless a test says).
  explicit HeadlessWizard(platform::Scale scale = {}) : ui(scale) {}

  platform::headless::HeadlessUi ui;
  platform::headless::HeadlessShell shell;
  platform::headless::HeadlessDialogs dialogs;
  platform::headless::HeadlessMessageBoxes messages;
  platform::headless::HeadlessFiles files;
  // No IDE unless a test creates its events.
  platform::headless::HeadlessKernelObjects kernel;
  app::WizardApp app{window::Services{ui, shell, dialogs, messages, files, kernel}};
  window::Wizard& wizard = app.wizard;
  window::StartupWindow& w = wizard.window;

  // Lays the window out and runs its start-up handler, as program start does.
  void start() { ui.run(w.启动窗口); }

  // The catalog line list and the fields of entry number `entry` (1-based).
  const std::vector<gbk::Text>& lines() const { return wizard.state.catalogLines; }
  std::vector<gbk::Text> fields(std::int32_t entry) const { return gbk::split(lines().at(entry - 1), ","); }

  // The first entry with this English name (and this Chinese name, if given); -1 if none.
  std::int32_t entryOf(std::string_view english, std::string_view chinese = {}) const {
    for (std::size_t i = 0; i < lines().size(); ++i) {
      std::vector<gbk::Text> f = gbk::split(lines()[i], ",");
      if (f.size() >= 3 && f[0] == english && (chinese.empty() || f[2] == chinese)) {
        return static_cast<std::int32_t>(i + 1);
      }
    }
    return -1;
  }
};
