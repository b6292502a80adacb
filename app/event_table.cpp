#include "app/layout.h"
#include "app/wizard_app.h"

namespace app {

void wireEventTable(WizardApp& app) {
  StartupWindow& w = app.window;
  w.启动窗口.onCreated = [&app] { startUp(app); };
  w.启动窗口.onSizeChanged = [&w] { layOut(w); };
  w.选择夹_选用区.onPageChanged = [&app] { 选择夹_选用区_pageChanged(app); };
  w.按钮_关闭程序.onClicked = [&app] { 按钮_关闭程序_clicked(app); };
}

}  // namespace app
