// List boxes, check list boxes and drop-down lists. The model keeps the items in the
// wizard's own order; the native list only shows them at the positions it is told.
// List boxes and check list boxes are virtual (LBS_NODATA): the native list holds a
// count, and draws each visible item from the model, so that a list of thousands is
// filled with one message.
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

// A virtual list has no strings for other programs to read with LB_GETTEXT. One that
// wants an item's text sends this registered message with the position as wParam and a
// window of its own as lParam; the list answers with WM_COPYDATA to that window, the
// item's UTF-16 text as the data (none for a position outside the list). A window that
// does not take the answer within a fraction of a second is not answered again for a
// few seconds.
UINT itemTextRequestMessage();

// The asking side, as another program (a test, a probe) reads an item: the text that the
// list sends back, or none when it does not answer within two seconds.
std::wstring askItemText(HWND list, int pos);

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
  void sendItemText(int pos, HWND to);
  int checkBoxWidth() const;
  WindowSubclass subclass_;
  // The last window that let an answer wait in vain, and when.
  HWND silentRequester_ = nullptr;
  DWORD silentSince_ = 0;
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
