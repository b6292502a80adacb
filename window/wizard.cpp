#include "window/wizard.h"

namespace window {

void showInStatusBar(StartupWindow& w, std::string_view kind, std::string_view name) {
  w.状态条.setPartText(0, kind);
  w.状态条.setPartWidth(0, w.画板1.measureText(kind).width + w.启动窗口.scale().px(5));
  w.状态条.setPartText(1, name);
}

}  // namespace window
