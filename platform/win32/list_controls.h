// List boxes, check list boxes and drop-down lists. The model keeps the items in the
// wizard's own order; the native list only shows them at the positions it is told.
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
  void showSelection(int pos) override;
  void showItemChecked(int) override {}

 protected:
  // The items and the selection that the model already holds, for a window made late.
  void showAllItems();
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

 private:
  bool checkBoxes() const;
  static LRESULT subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR data);
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
