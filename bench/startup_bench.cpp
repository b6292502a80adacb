#include <benchmark/benchmark.h>

#include "app/wizard_app.h"
#include "library/builtin_data.h"
#include "library/catalog.h"
#include "platform/headless/headless_ui.h"

namespace {

void BM_BuildCatalogLineList(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(library::buildCatalogLineList(library::apiCatalogText()));
}
BENCHMARK(BM_BuildCatalogLineList);

// Program start up to a laid-out, filled window, on the headless platform.
void BM_StartHeadless(benchmark::State& state) {
  for (auto _ : state) {
    platform::headless::HeadlessUi ui;
    platform::headless::HeadlessShell shell;
    platform::headless::HeadlessDialogs dialogs;
    platform::headless::HeadlessMessageBoxes messages;
    app::WizardApp wizard{app::Services{ui, shell, dialogs, messages}};
    benchmark::DoNotOptimize(wizard.services.ui.run(wizard.window.启动窗口));
  }
}
BENCHMARK(BM_StartHeadless);

}  // namespace
