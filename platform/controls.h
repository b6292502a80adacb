// The control kinds of the start-up window. Each is a model of the control's state
// with the operations that the wizard uses; `user…` methods are how a peer (or a
// test acting as the user) reports what the user did, raising the control's event.
//
// [SECTION] Window, containers  [SECTION] Buttons  [SECTION] Texts
// [SECTION] Lists               [SECTION] Status bar, drawing board
// (the tree box and the grid have headers of their own)
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/control.h"
#include "platform/list_model.h"

namespace platform {

using Event = std::function<void()>;

// [SECTION] Window, containers ------------------------------------------------------

class WindowPeer : public virtual ControlPeer {
 public:
  virtual void destroy() = 0;
  // Reports a tick to the model about every `milliseconds` from now on; 0 stops them.
  virtual void tickEvery(int milliseconds) = 0;
};

class Window : public Control {
 public:
  Window(std::string name, Scale scale) : Control(std::move(name)), scale_(scale) {}
  Size clientSize() const { return clientSize_; }
  // rect() is the window's outer rectangle on the screen, as the user last placed it
  // while it was neither minimised nor maximised; setRect moves it there.
  // The user cannot make the client area smaller than this.
  Size minimumClientSize() const { return minimumClientSize_; }
  void setMinimumClientSize(Size size) { minimumClientSize_ = size; }
  // The scale of the display that shows the window: the lengths of its controls are
  // that display's pixels.
  Scale scale() const { return scale_; }
  // Destroys the window; its message loop ends.
  void close();
  bool closed() const { return closed_; }

  // While ticking, onTicked is raised about every kTickMilliseconds: how the window
  // watches another program's work without waiting for it, and so goes on answering.
  static constexpr int kTickMilliseconds = 50;
  void setTicking(bool ticking);
  bool ticking() const { return ticking_; }

  Event onCreated;
  // Once, after the first paint and before any message is handled: the work that does
  // not show, such as filling the pages not on view.
  Event onFirstPainted;
  Event onSizeChanged;
  Event onTicked;
  // Esc, whichever control has the focus. Without a handler it closes the window.
  Event onEscapePressed;

  void userCreated();
  void firstPainted();
  void userResized(Size client);
  // The close box: the platform destroys the window.
  void userAskedToClose() { close(); }
  void userPressedEscape();
  void ticked();

 private:
  Size clientSize_;
  Size minimumClientSize_;
  Scale scale_;
  bool closed_ = false;
  bool ticking_ = false;
};

class TabPeer : public virtual ControlPeer {
 public:
  virtual void showPage(int page) = 0;
};

class TabControl : public Control {
 public:
  TabControl(std::string name, std::vector<gbk::Text> pages) : Control(std::move(name)), pages_(std::move(pages)) {}
  const std::vector<gbk::Text>& pages() const { return pages_; }
  int currentPage() const { return currentPage_; }
  void setCurrentPage(int page);
  // A tab control has no border of its own: its client area is its whole rectangle.
  int clientWidth() const { return rect().width; }
  void adopt(Control& child) { children_.push_back(&child); }

  Event onPageChanged;
  // Makes `page` current and raises onPageChanged, as a change by the user does: for the
  // program's own changes of page that run the page handler all the same.
  void turnToPage(int page);
  void userChangedPage(int page) { turnToPage(page); }

 private:
  std::vector<gbk::Text> pages_;
  std::vector<Control*> children_;
  int currentPage_ = 0;
};

class Frame : public Control {
 public:
  using Control::Control;
};

// [SECTION] Buttons -----------------------------------------------------------------

class Button : public Control {
 public:
  using Control::Control;
  Event onClicked;
  void userClicked();
};

class RadioPeer : public virtual ControlPeer {
 public:
  virtual void showChecked(bool checked) = 0;
};

// Radio buttons with the same parent form one group: checking one clears the others.
class RadioButton : public Control {
 public:
  using Control::Control;
  bool checked() const { return checked_; }
  void setChecked(bool checked);
  void joinGroup(std::vector<RadioButton*>* group) { group_ = group; }

  Event onClicked;
  void userClicked();

 private:
  bool checked_ = false;
  std::vector<RadioButton*>* group_ = nullptr;
};

// [SECTION] Texts -------------------------------------------------------------------

class Label : public Control {
 public:
  using Control::Control;
};

class EditBox : public Control {
 public:
  EditBox(std::string name, bool multiLine) : Control(std::move(name)), multiLine_(multiLine) {}
  bool multiLine() const { return multiLine_; }

  Event onContentChanged;
  std::function<void(int keyCode)> onKeyPressed;

  void userTyped(std::string_view text);
  void userPressedKey(int keyCode);

 private:
  bool multiLine_;
};

// [SECTION] Lists -------------------------------------------------------------------

class ListPeer : public virtual ControlPeer {
 public:
  virtual void itemInserted(int pos) = 0;
  virtual void itemErased(int pos) = 0;
  virtual void itemsCleared() = 0;
  virtual void itemsReplaced() = 0;
  virtual void showSelection(int pos) = 0;
  virtual void showItemChecked(int pos) = 0;
};

// List box (sorted or not), check list box and drop-down list share their items.
class ListControl : public Control {
 public:
  ListControl(std::string name, bool sorted) : Control(std::move(name)), items_(sorted) {}
  const ListModel& items() const { return items_; }
  int count() const { return items_.count(); }
  // Text and data of a position; empty text and -1 outside the list.
  gbk::Text itemText(int pos) const { return items_.contains(pos) ? items_.item(pos).text : gbk::Text(); }
  std::int32_t itemData(int pos) const { return items_.contains(pos) ? items_.item(pos).data : -1; }

  int add(std::string_view text, std::int32_t data = 0, std::any payload = {});
  void erase(int pos);
  void removeAll();
  // Replaces every item in one operation (a sorted list sorts them once); nothing is
  // selected after it. For long lists: the native list shows them without one insert each.
  void setItems(std::vector<ListItem> items);
  // The same in the order given, whether or not the list is sorted (ListModel::assignInOrder).
  void setItemsInOrder(std::vector<ListItem> items);
  void setItemData(int pos, std::int32_t data) { items_.setData(pos, data); }

  int currentSelection() const { return items_.selection(); }
  void setCurrentSelection(int pos);
  // Selects the first item, from the top, whose text begins with `prefix` (ASCII case
  // ignored); leaves the selection as it is if none does. Whether one did.
  bool selectByPrefix(std::string_view prefix);

  Event onItemSelected;
  Event onDoubleClicked;
  void userSelected(int pos);
  void userDoubleClicked(int pos);
  // A character typed into the list itself: selects the next item, after the selected
  // one and round from the top, whose text begins with it, and raises onItemSelected.
  void userTypedCharacter(std::string_view character);

  // The list's context menu: one text an item, its shortcut after a tab ("复制(&C)\tCtrl+C");
  // none, no menu. The peer shows it at a right click, which first selects the item
  // under the pointer, and at the menu key or Shift+F10.
  std::vector<gbk::Text> contextMenu;
  std::function<void(int menuItem)> onContextMenuChosen;
  Event onCopyKeyPressed;  // Ctrl+C or Ctrl+Insert
  // A menu item outside the menu raises nothing.
  void userChoseFromContextMenu(int menuItem);
  void userPressedCopyKey();

 protected:
  ListModel items_;
};

class ListBox : public ListControl {
 public:
  using ListControl::ListControl;
};

class CheckListBox : public ListControl {
 public:
  using ListControl::ListControl;
  bool checked(int pos) const { return items_.contains(pos) && items_.item(pos).checked; }
  void setChecked(int pos, bool checked);
  void userToggled(int pos) { setChecked(pos, !checked(pos)); }
};

class DropDownList : public ListControl {
 public:
  explicit DropDownList(std::string name) : ListControl(std::move(name), false) {}
  Event onSelectionChanged;
  void userChose(int pos);
};

// [SECTION] Status bar, drawing board -----------------------------------------------

class StatusPeer : public virtual ControlPeer {
 public:
  virtual void showParts() = 0;
  virtual void showPartText(std::size_t part) = 0;
  virtual void showPartWidths() = 0;
};

// A status bar along the window's bottom edge; the last part takes the rest of the width.
class StatusBar : public Control {
 public:
  struct Part {
    gbk::Text text;
    int width = 0;
  };
  using Control::Control;
  const std::vector<Part>& parts() const { return parts_; }
  void setParts(std::vector<Part> parts);
  void setPartText(std::size_t part, std::string_view text);
  void setPartWidth(std::size_t part, int width);

 private:
  std::vector<Part> parts_;
};

class DrawingBoardPeer : public virtual ControlPeer {
 public:
  virtual void useDefaultGuiFont(int points) = 0;
  virtual Size measureText(std::string_view text) const = 0;
  virtual void freezePicture() = 0;
};

// A drawing board measures texts in its font and covers another control while that
// one is redrawn.
class DrawingBoard : public Control {
 public:
  using Control::Control;
  void setFontToDefaultGuiFont(int points);
  Size measureText(std::string_view text) const;
  // Makes the board's background picture what it shows now.
  void freezePicture();
};

}  // namespace platform
