// The frame that holds the declaration view, and the drawing boards.
#pragma once

#include "platform/controls.h"
#include "platform/win32/handles.h"
#include "platform/win32/native_control.h"
#include "platform/win32/window_base.h"

namespace platform::win32 {

// A plain frame: a thin etched border around its children.
class NativeFrame : public NativeControl, public WindowBase<NativeFrame> {
 public:
  static constexpr const wchar_t* kClassName = L"KelvaneFrame";
  explicit NativeFrame(Frame& model) : NativeControl(model) {}
  void create(HWND parent);

 protected:
  LRESULT handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A drawing board measures texts in its font and, shown over a grid, keeps the
// picture of that moment while the grid is refilled.
class NativeBoard : public NativeControl, public DrawingBoardPeer, public WindowBase<NativeBoard> {
 public:
  static constexpr const wchar_t* kClassName = L"KelvaneBoard";
  explicit NativeBoard(DrawingBoard& model) : NativeControl(model) {}
  void create(HWND parent);
  void useDefaultGuiFont(int points) override;
  Size measureText(std::string_view text) const override;
  void freezePicture() override;

 protected:
  LRESULT handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HGDIOBJ measuringFont() const;

  OwnedFont font_;
  mutable MemoryDc measuringDc_;  // after the font: it lets go of it first
  OwnedBitmap picture_;
};

}  // namespace platform::win32
