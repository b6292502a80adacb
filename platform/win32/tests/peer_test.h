// The fixture of the Win32 peer tests: the wizard's own top-level window on the test's
// display, holding the controls that a test makes. A test acts as the user or the
// system does, sending a control the messages of a click or a key press, and compares
// what the control shows and the events that its model raised with tables of what it
// expects after each step.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win32/main_window.h"

namespace platform::win32::testing {

// The events raised since the last look, each a line such as "selected 2".
class EventLog {
 public:
  void add(std::string line) { lines_.push_back(std::move(line)); }
  // The lines so far; the log starts afresh.
  std::vector<std::string> take() { return std::exchange(lines_, {}); }

 private:
  std::vector<std::string> lines_;
};

class PeerTest : public ::testing::Test {
 protected:
  PeerTest();
  // Before the test's models go: their windows go first, with the notifications that
  // destroying them sends.
  void TearDown() override;

  // The top-level window, at its first size.
  static HWND window();

  // Makes the native side of `model` at `rect`, inside `parent` or the window; `more`
  // goes to its create after the parent.
  template <typename Native, typename Model, typename... More>
  Native& make(Model& model, const Rect& rect, HWND parent = nullptr, More... more) {
    model.setRect(rect);
    auto native = std::make_unique<Native>(model);
    Native& made = *native;
    made.create(parent ? parent : window(), more...);
    model.attach(&made);
    natives_.push_back(std::move(native));
    return made;
  }

  EventLog events;

 private:
  std::vector<std::unique_ptr<NativeControl>> natives_;
};

// What the user does, as the control receives it; each ends with the queue handled.
void click(HWND hwnd, POINT at);                   // the left button down and up, client coordinates
void doubleClick(HWND hwnd, POINT at);             // down, up, the double-click, up
void pressKey(HWND hwnd, UINT key);                // the key down and up, with no character
void typeText(HWND hwnd, std::wstring_view text);  // one WM_CHAR a character

// Handles what waits in the queue: posted updates, repaints.
void settle();

// What a control shows in its client area, copied once after painting what is due.
class ShownPicture {
 public:
  explicit ShownPicture(HWND hwnd);
  // The colour at a client point; CLR_INVALID outside the area.
  COLORREF at(POINT point) const;
  bool operator==(const ShownPicture&) const = default;

 private:
  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> pixels_;  // 0x00RRGGBB, row by row from the top
};

POINT centre(const RECT& r);

}  // namespace platform::win32::testing
