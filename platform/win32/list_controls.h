// List boxes, check list boxes and drop-down lists. The model keeps the items in the
// wizard's own order; the native list holds their texts at the positions it is told, so
// that it answers LB_GETTEXT as any list box does, to this program and to others (screen
// readers and automation tools read lists so). A whole list is filled in one batch:
// storage reserved once, the redraw held until the last item.
#pragma once

#include "platform/controls.h"
#include "platform/win32/handles.h"
#include "platform/win32/native_control.h"

namespace platform::win32 {

// The items of a list box or a drop-down list, mirrored with the messages of its kind.
class NativeItems : public NativeControl, public ListPeer {
 public:
  struct Messages {
    UINT insert, erase, reset, select;
  };
  NativeItems(ListControl& model, const Messages& messages) : NativeControl(model), list_(model), messages_(messages) {}
  void showText(std::string_view) override {}
  void itemInserted(int pos) override;
  void itemErased(int pos) override;
  void itemsCleared() override;
  void itemsReplaced() override;
  void showSelection(int pos) override;
  void showItemChecked(int) override {}

 protected:
  // The items and the selection that the model already holds, for a window made late.
  virtual void showAllItems();
  ListControl& list_;

 private:
  const Messages& messages_;
};

class NativeList : public NativeItems {
 public:
  explicit NativeList(ListControl& model);
  void create(HWND parent);
  void showItemChecked(int pos) override;
  bool onCommand(WORD code) override;
  bool onDrawItem(DRAWITEMSTRUCT* item) override;

 protected:
  void showAllItems() override;

 private:
  bool checkBoxes() const;
  static LRESULT subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR data);
  // A tick box's messages; true when handled.
  bool onCheckBoxMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The context menu and Ctrl+C, which the model raises as events.
  void selectItemAt(LPARAM at);
  bool showContextMenu(LPARAM at);
  int checkBoxWidth() const;
  WindowSubclass subclass_;
};

class NativeDropDown : public NativeItems {
 public:
  explicit NativeDropDown(DropDownList& model);
  void create(HWND parent);
  bool onCommand(WORD code) override;

 protected:
  // The window of a drop-down list includes its open list.
  Rect nativeRect(const Rect& rect) const override { return {rect.left, rect.top, rect.width, rect.height + 120}; }

 private:
  DropDownList& dropDown_;
};

}  // namespace platform::win32
