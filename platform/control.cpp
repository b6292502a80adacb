#include "platform/control.h"

#include "platform/controls.h"

namespace platform {

void Control::setRect(const Rect& rect) {
  // The layout sets every rectangle on each resize; most stay where they are.
  if (rect == rect_) return;
  rect_ = rect;
  if (peer_) peer_->showRect(rect);
}

void Control::setVisible(bool visible) {
  visible_ = visible;
  refreshShown();
}

bool Control::isShown() const {
  if (!visible_) return false;
  return isShownOnItsPage() && (!parent_ || parent_->isShown());
}

void Control::refreshShown() {
  if (peer_) peer_->showVisible(visible_ && isShownOnItsPage());
}

bool Control::isShownOnItsPage() const {
  auto* tab = dynamic_cast<const TabControl*>(parent_);
  return !tab || tab->currentPage() == page_;
}

void Control::setEnabled(bool enabled) {
  enabled_ = enabled;
  if (peer_) peer_->showEnabled(enabled);
}

void Control::setText(std::string_view text) {
  text_ = text;
  if (peer_) peer_->showText(text);
}

void Control::userChangedText(std::string_view text) { text_ = text; }

void Control::setFocus() {
  if (peer_) peer_->takeFocus();
}

}  // namespace platform
