// The category tree's pictures (tree_icons.h), drawn by the tree box itself. The tree
// view's own image list drawing makes several scratch DCs and bitmaps for every picture
// on every paint, and under Wine each of those asks the server about the display; these
// pictures are made once, with their masks, and drawn with two blits.
#pragma once

#include <windows.h>

#include "platform/win32/handles.h"

namespace platform::win32 {

class TreePictures {
 public:
  // The pictures at the screen's scale; none if the screen refuses the bitmap.
  TreePictures();

  int width() const { return width_; }
  int height() const { return height_; }
  // Draws picture `index` with its top left corner at (x, y); an unknown index draws nothing.
  void draw(HDC target, int index, int x, int y) const;

 private:
  int width_ = 0;
  int height_ = 0;
  int count_ = 0;
  // The pictures side by side, transparent pixels black; below them their masks, white
  // where the target shows through.
  OwnedBitmap strip_;
  MemoryDc dc_;
};

}  // namespace platform::win32
