#include "platform/controls.h"

namespace platform {
namespace {

void raise(const Event& event) {
  if (event) event();
}

}  // namespace

// Window ---------------------------------------------------------------------------

void Window::close() {
  if (closed_) return;
  closed_ = true;
  if (auto* p = peerAs<WindowPeer>()) p->destroy();
}

void Window::setTicking(bool ticking) {
  if (ticking_ == ticking) return;
  ticking_ = ticking;
  if (auto* p = peerAs<WindowPeer>()) p->tickEvery(ticking ? kTickMilliseconds : 0);
}

void Window::userCreated() { raise(onCreated); }

void Window::userPressedEscape() {
  if (onEscapePressed) {
    onEscapePressed();
  } else {
    close();
  }
}

// A tick already on its way when the ticking stopped raises nothing.
void Window::ticked() {
  if (ticking_ && !closed_) raise(onTicked);
}

void Window::firstPainted() { raise(onFirstPainted); }

void Window::userResized(Size client) {
  clientSize_ = client;
  raise(onSizeChanged);
}

void TabControl::setCurrentPage(int page) {
  if (page < 0 || page >= static_cast<int>(pages_.size())) return;
  currentPage_ = page;
  if (auto* p = peerAs<TabPeer>()) p->showPage(page);
  for (Control* child : children_) child->refreshShown();
}

void TabControl::turnToPage(int page) {
  setCurrentPage(page);
  raise(onPageChanged);
}

// Buttons ---------------------------------------------------------------------------

void Button::userClicked() {
  if (enabled()) raise(onClicked);
}

void RadioButton::setChecked(bool checked) {
  if (checked && group_) {
    for (RadioButton* other : *group_) {
      if (other != this && other->checked_) other->setChecked(false);
    }
  }
  checked_ = checked;
  if (auto* p = peerAs<RadioPeer>()) p->showChecked(checked);
}

void RadioButton::userClicked() {
  setChecked(true);
  raise(onClicked);
}

// Texts -----------------------------------------------------------------------------

void EditBox::userTyped(std::string_view text) {
  userChangedText(text);
  raise(onContentChanged);
}

void EditBox::userPressedKey(int keyCode) {
  if (onKeyPressed) onKeyPressed(keyCode);
}

// Lists -----------------------------------------------------------------------------

int ListControl::add(std::string_view text, std::int32_t data, std::any payload) {
  int pos = items_.insert(text, data, std::move(payload));
  if (auto* p = peerAs<ListPeer>()) p->itemInserted(pos);
  return pos;
}

void ListControl::erase(int pos) {
  if (!items_.contains(pos)) return;
  items_.erase(pos);
  if (auto* p = peerAs<ListPeer>()) p->itemErased(pos);
}

void ListControl::removeAll() {
  items_.clear();
  if (auto* p = peerAs<ListPeer>()) p->itemsCleared();
}

void ListControl::setItems(std::vector<ListItem> items) {
  items_.assign(std::move(items));
  if (auto* p = peerAs<ListPeer>()) p->itemsReplaced();
}

void ListControl::setItemsInOrder(std::vector<ListItem> items) {
  items_.assignInOrder(std::move(items));
  if (auto* p = peerAs<ListPeer>()) p->itemsReplaced();
}

void ListControl::setCurrentSelection(int pos) {
  items_.select(pos);
  if (auto* p = peerAs<ListPeer>()) p->showSelection(items_.selection());
}

bool ListControl::selectByPrefix(std::string_view prefix) {
  int pos = items_.findPrefix(prefix);
  if (pos < 0) return false;
  setCurrentSelection(pos);
  return true;
}

void ListControl::userSelected(int pos) {
  items_.select(pos);
  raise(onItemSelected);
}

void ListControl::userDoubleClicked(int pos) {
  items_.select(pos);
  raise(onDoubleClicked);
}

void ListControl::userTypedCharacter(std::string_view character) {
  const int pos = items_.findPrefixAfter(character, items_.selection());
  if (pos < 0) return;
  setCurrentSelection(pos);
  raise(onItemSelected);
}

void ListControl::userChoseFromContextMenu(int menuItem) {
  if (menuItem < 0 || menuItem >= static_cast<int>(contextMenu.size()) || !onContextMenuChosen) return;
  onContextMenuChosen(menuItem);
}

void ListControl::userPressedCopyKey() { raise(onCopyKeyPressed); }

void CheckListBox::setChecked(int pos, bool checked) {
  if (!items_.contains(pos)) return;
  items_.setChecked(pos, checked);
  if (auto* p = peerAs<ListPeer>()) p->showItemChecked(pos);
}

void DropDownList::userChose(int pos) {
  items_.select(pos);
  raise(onSelectionChanged);
}

// Status bar, drawing board ---------------------------------------------------------

void StatusBar::setParts(std::vector<Part> parts) {
  parts_ = std::move(parts);
  if (auto* p = peerAs<StatusPeer>()) p->showParts();
}

// A part that stays as it is is not shown again: each showing repaints the bar.
void StatusBar::setPartText(std::size_t part, std::string_view text) {
  if (part >= parts_.size() || parts_[part].text == text) return;
  parts_[part].text = text;
  if (auto* p = peerAs<StatusPeer>()) p->showPartText(part);
}

void StatusBar::setPartWidth(std::size_t part, int width) {
  if (part >= parts_.size() || parts_[part].width == width) return;
  parts_[part].width = width;
  if (auto* p = peerAs<StatusPeer>()) p->showPartWidths();
}

void DrawingBoard::setFontToDefaultGuiFont(int points) {
  if (auto* p = peerAs<DrawingBoardPeer>()) p->useDefaultGuiFont(points);
}

Size DrawingBoard::measureText(std::string_view text) const {
  auto* p = peerAs<DrawingBoardPeer>();
  return p ? p->measureText(text) : Size{};
}

void DrawingBoard::freezePicture() {
  if (auto* p = peerAs<DrawingBoardPeer>()) p->freezePicture();
}

}  // namespace platform
