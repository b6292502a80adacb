// The drawing board that measures the declaration view's texts.
#include "peer_test.h"
#include "platform/win32/panels.h"

namespace platform::win32::testing {
namespace {

using DrawingBoardTest = PeerTest;

TEST_F(DrawingBoardTest, MeasuresInTheFontItWasGivenLast) {
  DrawingBoard board{"画板1"};
  make<NativeBoard>(board, {0, 0, 100, 100});
  board.setFontToDefaultGuiFont(10);
  const Size small = board.measureText("取菜单条目信息_");
  board.setFontToDefaultGuiFont(20);
  const Size large = board.measureText("取菜单条目信息_");
  EXPECT_GT(large.width, small.width * 3 / 2);
  EXPECT_GT(large.height, small.height * 3 / 2);
  board.setFontToDefaultGuiFont(10);
  EXPECT_EQ(board.measureText("取菜单条目信息_"), small);
}

}  // namespace
}  // namespace platform::win32::testing
