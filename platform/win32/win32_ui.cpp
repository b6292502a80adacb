#include "platform/win32/win32_ui.h"

#include <utility>

#include "platform/win32/buttons.h"
#include "platform/win32/caught_exception.h"
#include "platform/win32/display_scale.h"
#include "platform/win32/grid.h"
#include "platform/win32/list_controls.h"
#include "platform/win32/main_window.h"
#include "platform/win32/panels.h"
#include "platform/win32/status_bar.h"
#include "platform/win32/tab_control.h"
#include "platform/win32/text_controls.h"
#include "platform/win32/tree_box.h"

namespace platform::win32 {

Win32Ui::Win32Ui() = default;
Win32Ui::~Win32Ui() = default;

Scale Win32Ui::displayScale() const { return win32::displayScale(); }

Rect Win32Ui::workArea(const Rect& around) const {
  const RECT rect{around.left, around.top, around.left + around.width, around.top + around.height};
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTOPRIMARY), &info)) return {};
  const RECT& work = info.rcWork;
  return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

HWND Win32Ui::parentWindow(const Control& control) const {
  auto it = natives_.find(control.parent() ? control.parent() : static_cast<const Control*>(nullptr));
  if (it != natives_.end()) return it->second->hwnd();
  return main_ ? main_->hwnd() : nullptr;
}

namespace {

// A handler that fails leaves the window as it is.
template <typename Handle>
void runGuarded(const Handle& handle) {
  try {
    handle();
  } catch (...) {
    reportCaughtException();
  }
}

bool isContainer(ControlKind kind) { return kind == ControlKind::tabControl || kind == ControlKind::frame; }

template <typename Native, typename Model, typename... Args>
std::unique_ptr<NativeControl> makeNative(Control& control, HWND parent, int id, Args... args) {
  auto native = std::make_unique<Native>(static_cast<Model&>(control));
  native->setControlId(id);
  native->create(parent, args...);
  return native;
}

}  // namespace

void Win32Ui::realize(Control& control, const ControlDesign& design, int designIndex) {
  // The design's order sets the Tab order and begins the radio groups, whenever the
  // window comes to be made.
  Unmade unmade{&control, design, designIndex, focusOrder_.size(), false};
  if (design.kind == ControlKind::radioButton) {
    unmade.firstOfGroup = radioGroups_.insert(std::string(design.parent) + "/" + std::to_string(design.page)).second;
  }
  focusOrder_.push_back(nullptr);
  // A page not on view shows nothing at the first paint: its controls are made after it.
  if (control.page() >= 0 && !control.isShown()) {
    unmade_.push_back(unmade);
  } else if (design.kind == ControlKind::window || design.kind == ControlKind::statusBar) {
    // What the first layout reads: the window's client size, the status bar's height.
    make(unmade);
  } else if (isContainer(design.kind) || (control.parent() && containers_.contains(control.parent()))) {
    containers_.insert(&control);
    containedLater_.push_back(unmade);
  } else {
    uncontainedLater_.push_back(unmade);
  }
}

void Win32Ui::make(const Unmade& unmade) {
  Control& control = *unmade.control;
  HWND parent = parentWindow(control);
  // Tools outside the program (the end-to-end tests among them) find a control by its
  // design name through its ID, whatever the window's stacking and the design's order.
  const int id = unmade.designIndex;
  std::unique_ptr<NativeControl> native;
  switch (unmade.design.kind) {
    case ControlKind::window: {
      auto window = std::make_unique<MainWindow>(static_cast<Window&>(control));
      window->createCentred();
      main_ = window.get();
      native = std::move(window);
      break;
    }
    case ControlKind::tabControl: {
      auto tab = std::make_unique<NativeTab>(static_cast<TabControl&>(control));
      tab->setControlId(id);
      tab->create(parent);
      tab->beforePageShown = [this, &control](int page) { makePage(control, page); };
      native = std::move(tab);
      break;
    }
    case ControlKind::treeBox: native = makeNative<NativeTree, TreeBox>(control, parent, id); break;
    case ControlKind::listBox:
    case ControlKind::sortedListBox:
    case ControlKind::checkListBox:
    case ControlKind::sortedCheckListBox: native = makeNative<NativeList, ListControl>(control, parent, id); break;
    case ControlKind::editBox:
    case ControlKind::multiLineEditBox: native = makeNative<NativeEdit, EditBox>(control, parent, id); break;
    case ControlKind::radioButton:
      native = makeNative<NativeRadio, RadioButton>(control, parent, id, unmade.firstOfGroup);
      break;
    case ControlKind::dropDownList: native = makeNative<NativeDropDown, DropDownList>(control, parent, id); break;
    case ControlKind::button: native = makeNative<NativeButton, Button>(control, parent, id); break;
    case ControlKind::label: native = makeNative<NativeLabel, Label>(control, parent, id); break;
    case ControlKind::statusBar: native = makeNative<NativeStatusBar, StatusBar>(control, parent, id); break;
    case ControlKind::grid: native = makeNative<NativeGrid, Grid>(control, parent, id); break;
    case ControlKind::drawingBoard: native = makeNative<NativeBoard, DrawingBoard>(control, parent, id); break;
    case ControlKind::frame: native = makeNative<NativeFrame, Frame>(control, parent, id); break;
  }
  control.attach(native.get());
  focusOrder_[unmade.focusSlot] = native.get();
  natives_[&control] = std::move(native);
}

void Win32Ui::makePage(const Control& tab, int page) {
  for (std::size_t i = 0; i < unmade_.size();) {
    if (unmade_[i].control->parent() == &tab && unmade_[i].control->page() == page) {
      Unmade unmade = unmade_[i];
      unmade_.erase(unmade_.begin() + static_cast<std::ptrdiff_t>(i));
      make(unmade);
    } else {
      ++i;
    }
  }
}

void Win32Ui::makeNextUnmade() {
  if (unmade_.empty()) return;
  // Nothing is made in a window that is gone.
  if (!IsWindow(main_->hwnd())) {
    unmade_.clear();
    return;
  }
  Unmade next = unmade_.front();
  unmade_.erase(unmade_.begin());
  make(next);
}

void Win32Ui::moveFocus(bool backwards) {
  HWND focus = GetFocus();
  auto count = static_cast<int>(focusOrder_.size());
  int at = 0;
  for (int i = 0; i < count; ++i) {
    if (focusOrder_[i] && (focusOrder_[i]->hwnd() == focus || IsChild(focusOrder_[i]->hwnd(), focus))) at = i;
  }
  for (int step = 1; step < count; ++step) {
    NativeControl* next = focusOrder_[(at + (backwards ? count - step : step)) % count];
    if (!next) continue;
    HWND hwnd = next->hwnd();
    LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    bool stop = (style & WS_CHILD) && (style & WS_TABSTOP) && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
    // A radio group is one stop: its checked button.
    if (auto* radio = dynamic_cast<RadioButton*>(&next->model())) stop = stop && radio->checked();
    if (stop) {
      SetFocus(hwnd);
      return;
    }
  }
}

int Win32Ui::run(Window& window) {
  HWND main = main_->hwnd();
  // The first layout places the controls before their windows are made: none of them
  // is made in one place and moved to another.
  main_->startLayout();
  for (std::vector<Unmade>* later : {&uncontainedLater_, &containedLater_}) {
    for (const Unmade& unmade : *later) make(unmade);
    later->clear();
  }
  window.userCreated();
  ShowWindow(main, SW_SHOWNORMAL);
  UpdateWindow(main);

  // What does not show waits while a message does, so that the window answers at once
  // after its first paint: the work of the first painted event (but no message is
  // handled before it), then the pages not on view, made one control at a time.
  bool firstPaintedRaised = false;
  auto raiseFirstPainted = [&] {
    if (std::exchange(firstPaintedRaised, true)) return;
    runGuarded([&window] { window.firstPainted(); });
  };
  MSG msg{};
  for (;;) {
    if ((!firstPaintedRaised || !unmade_.empty()) && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (firstPaintedRaised) {
        makeNextUnmade();
      } else {
        raiseFirstPainted();
      }
      continue;
    }
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
    raiseFirstPainted();
    runGuarded([&] { dispatch(window, msg); });
  }
  return static_cast<int>(msg.wParam);
}

void Win32Ui::dispatch(Window& window, MSG& msg) {
  // Esc goes to the window whichever control has the focus, unless it closes an open drop-down.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
    auto* dropDown = dynamic_cast<NativeDropDown*>(NativeControl::of(GetParent(msg.hwnd)));
    if (!dropDown) dropDown = dynamic_cast<NativeDropDown*>(NativeControl::of(msg.hwnd));
    if (!dropDown || !SendMessageW(dropDown->hwnd(), CB_GETDROPPEDSTATE, 0, 0)) {
      window.userPressedEscape();
      return;
    }
  }
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && !(GetKeyState(VK_CONTROL) & 0x8000)) {
    moveFocus(GetKeyState(VK_SHIFT) & 0x8000);
    return;
  }
  if (NativeEdit::preTranslate(msg)) return;
  if (IsDialogMessageW(main_->hwnd(), &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace platform::win32
