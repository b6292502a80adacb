// List boxes, check list boxes and drop-down lists. The model keeps the items in the
// wizard's own order; the native list only shows them at the positions it is told.
#pragma once

#include "platform/controls.h"
#include "platform/win32/native_control.h"

namespace platform::win32 {

class NativeList : public NativeControl, public ListPeer {
 public:
  explicit NativeList(ListControl& model) : NativeControl(model), list_(model) {}
  void create(HWND parent);
  void showText(std::string_view) override {}
  void itemInserted(int pos) override;
  void itemErased(int pos) override;
  void itemsCleared() override;
  void showSelection(int pos) override;
  void showChecked(int pos) override;
  bool onCommand(WORD code) override;
  bool onDrawItem(DRAWITEMSTRUCT* item) override;

 protected:
  ListControl& list_;

 private:
  bool checkBoxes() const;
  static LRESULT subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR data);
  int checkBoxWidth() const;
};

class NativeDropDown : public NativeControl, public ListPeer {
 public:
  explicit NativeDropDown(DropDownList& model) : NativeControl(model), list_(model) {}
  void create(HWND parent);
  void showText(std::string_view) override {}
  void itemInserted(int pos) override;
  void itemErased(int pos) override;
  void itemsCleared() override;
  void showSelection(int pos) override;
  void showChecked(int) override {}
  bool onCommand(WORD code) override;

 protected:
  // The window of a drop-down list includes its open list.
  Rect nativeRect(const Rect& rect) const override { return {rect.left, rect.top, rect.width, rect.height + 120}; }

 private:
  DropDownList& list_;
};

}  // namespace platform::win32
