// The wizard on the headless platform, as the native tests drive it.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/wizard_app.h"
#include "library/library.h"
#include "platform/headless/headless_clipboard.h"
#include "platform/headless/headless_files.h"
#include "platform/headless/headless_kernel_objects.h"
#include "platform/headless/headless_ui.h"
#include "tests/shared_library.h"

struct HeadlessWizard {
  // The window on a display of this scale (96 pixels per inch unless a test says).
  explicit HeadlessWizard(platform::Scale scale = {}, const library::Library& l = sharedLibrary())
      : library(l), ui(scale) {}

  const library::Library& library;

  platform::headless::HeadlessUi ui;
  platform::headless::HeadlessShell shell;
  platform::headless::HeadlessDialogs dialogs;
  platform::headless::HeadlessMessageBoxes messages;
  platform::headless::HeadlessFiles files;
  // No IDE unless a test creates its events.
  platform::headless::HeadlessKernelObjects kernel;
  platform::headless::HeadlessClipboard clipboard;
  app::WizardApp app{window::Services{ui, shell, dialogs, messages, files, kernel, clipboard}, library};
  window::Wizard& wizard = app.wizard;
  window::StartupWindow& w = wizard.window;

  // Lays the window out and runs its start-up handler, as program start does.
  void start() { ui.run(w.启动窗口); }

  // A small catalog of the test's own, for the items that the test adds and imports: the
  // window's handlers keep the library's.
  void useCatalog(std::string_view text) { ownCatalog.emplace(text); }
  std::optional<library::Catalog> ownCatalog;

  // The catalog, and its entry number `number` (1-based), which the test knows is one.
  const library::Catalog& catalog() const { return ownCatalog ? *ownCatalog : library.catalog; }
  const library::CatalogEntry& entryAt(std::int32_t number) const {
    const library::CatalogEntry* entry = catalog().entry(number);
    if (!entry) throw std::out_of_range("no catalog entry " + std::to_string(number));
    return *entry;
  }

  // The first entry with this English name (and this Chinese name, if given); -1 if none.
  std::int32_t entryOf(std::string_view english, std::string_view chinese = {}) const {
    for (std::int32_t n = 1; n <= catalog().size(); ++n) {
      const library::CatalogEntry* entry = catalog().entry(n);
      if (entry && entry->englishName == english && (chinese.empty() || entry->chineseName == chinese)) return n;
    }
    return -1;
  }
};
