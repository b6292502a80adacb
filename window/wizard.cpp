#include "window/wizard.h"

#include <algorithm>

namespace window {

void showInStatusBar(StartupWindow& w, std::string_view kind, std::string_view name) {
  w.状态条.setPartText(0, kind);
  w.状态条.setPartWidth(0, w.画板1.measureText(kind).width + w.启动窗口.scale().px(5));
  w.状态条.setPartText(1, name);
  fitStatusBarName(w);
}

void fitStatusBarName(StartupWindow& w) {
  const auto& parts = w.状态条.parts();
  if (parts.size() < 3) return;
  w.状态条.setPartWidth(1, std::max(0, w.启动窗口.clientSize().width - parts[0].width - parts[2].width));
}

void showImportButtonCaption(StartupWindow& w, bool importWaiting) {
  if (importWaiting) {
    w.按钮_导入.setText("放弃等待");
  } else {
    w.按钮_导入.setText(w.选择夹_选用区.currentPage() == 0 ? "导入(&Z)" : "打开例程(&O)");
  }
}

}  // namespace window
