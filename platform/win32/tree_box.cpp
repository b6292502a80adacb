#include "platform/win32/tree_box.h"

#include <commctrl.h>

namespace platform::win32 {

void NativeTree::create(HWND parent) {
  NativeControl::create(parent, WC_TREEVIEWW,
                        TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP,
                        WS_EX_CLIENTEDGE);
}

}  // namespace platform::win32
