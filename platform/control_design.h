// How a control is described in a window's design table.
#pragma once

#include <string_view>

#include "platform/geometry.h"

namespace platform {

enum class ControlKind {
  window,
  tabControl,  // text: the page captions, separated by "|"
  treeBox,
  listBox,
  sortedListBox,
  checkListBox,
  sortedCheckListBox,
  editBox,           // single line
  multiLineEditBox,  // read-only, vertical scroll bar
  radioButton,
  dropDownList,  // text: the items, separated by "|"; the first is selected
  button,
  label,
  statusBar,  // text: the parts "width:text", separated by "|"; the last takes the rest
  grid,
  drawingBoard,
  frame,
};

struct ControlDesign {
  ControlKind kind;
  std::string_view name;
  std::string_view parent;  // empty: the window's client area
  int page;                 // page of a tab control parent, -1 elsewhere
  Rect rect;                // for the window: its outer size
  std::string_view text;
  bool visible = true;
  bool checked = false;  // radio buttons
};

}  // namespace platform
