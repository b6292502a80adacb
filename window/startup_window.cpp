#include "window/startup_window.h"

#include <stdexcept>

#include "window/window_design.h"

namespace window {
namespace {

using platform::ControlKind;

std::vector<gbk::Text> pieces(std::string_view text) { return gbk::split(text, "|"); }

std::unique_ptr<platform::Control> makeControl(const platform::ControlDesign& design, platform::Scale scale) {
  std::string name(design.name);
  switch (design.kind) {
    case ControlKind::window: return std::make_unique<platform::Window>(name, scale);
    case ControlKind::tabControl: return std::make_unique<platform::TabControl>(name, pieces(design.text));
    case ControlKind::treeBox: return std::make_unique<platform::TreeBox>(name);
    case ControlKind::listBox: return std::make_unique<platform::ListBox>(name, false);
    case ControlKind::sortedListBox: return std::make_unique<platform::ListBox>(name, true);
    case ControlKind::checkListBox: return std::make_unique<platform::CheckListBox>(name, false);
    case ControlKind::sortedCheckListBox: return std::make_unique<platform::CheckListBox>(name, true);
    case ControlKind::editBox: return std::make_unique<platform::EditBox>(name, false);
    case ControlKind::multiLineEditBox: return std::make_unique<platform::EditBox>(name, true);
    case ControlKind::radioButton: return std::make_unique<platform::RadioButton>(name);
    case ControlKind::dropDownList: return std::make_unique<platform::DropDownList>(name);
    case ControlKind::button: return std::make_unique<platform::Button>(name);
    case ControlKind::label: return std::make_unique<platform::Label>(name);
    case ControlKind::statusBar: return std::make_unique<platform::StatusBar>(name);
    case ControlKind::grid: return std::make_unique<platform::Grid>(name, scale);
    case ControlKind::drawingBoard: return std::make_unique<platform::DrawingBoard>(name);
    case ControlKind::frame: return std::make_unique<platform::Frame>(name);
  }
  throw std::logic_error("unknown control kind");
}

// The initial state that the design gives beyond rectangle, text and visibility.
void applyDesignState(platform::Control& control, const platform::ControlDesign& design, platform::Scale scale) {
  if (auto* tab = dynamic_cast<platform::TabControl*>(&control)) {
    tab->setText("");
  } else if (auto* list = dynamic_cast<platform::DropDownList*>(&control)) {
    for (const auto& item : pieces(design.text)) list->add(item);
    list->setText("");
    list->setCurrentSelection(0);
  } else if (auto* status = dynamic_cast<platform::StatusBar*>(&control)) {
    std::vector<platform::StatusBar::Part> parts;
    for (const auto& part : pieces(design.text)) {
      auto colon = part.find(':');
      parts.push_back({part.substr(colon + 1), scale.px(std::stoi(part.substr(0, colon)))});
    }
    status->setText("");
    status->setParts(std::move(parts));
  }
}

}  // namespace

StartupWindow::Controls StartupWindow::createControls(platform::Ui& ui, RadioGroups& groups) {
  Controls controls;
  // The design's lengths are for 96 pixels per inch; the controls get the display's.
  const platform::Scale scale = ui.displayScale();
  const auto designs = startupWindowDesign();
  for (int index = 0; index < static_cast<int>(designs.size()); ++index) {
    const platform::ControlDesign& design = designs[static_cast<std::size_t>(index)];
    auto control = makeControl(design, scale);
    control->setRect(scale.rect(design.rect));
    control->setText(design.text);
    control->setVisible(design.visible);
    applyDesignState(*control, design, scale);
    if (!design.parent.empty()) {
      auto parent = controls.find(design.parent);
      if (parent == controls.end()) throw std::logic_error("a control comes before its parent");
      control->placeIn(parent->second.get(), design.page);
      if (auto* tab = dynamic_cast<platform::TabControl*>(parent->second.get())) tab->adopt(*control);
    }
    if (auto* radio = dynamic_cast<platform::RadioButton*>(control.get())) {
      auto& group = groups[std::string(design.parent) + "/" + std::to_string(design.page)];
      group.push_back(radio);
      radio->joinGroup(&group);
      radio->setChecked(design.checked);
    }
    ui.realize(*control, design, index);
    controls.emplace(std::string(design.name), std::move(control));
  }
  return controls;
}

StartupWindow::StartupWindow(platform::Ui& ui) : controls_(createControls(ui, radioGroups_)) {}

template <typename T>
T& StartupWindow::find(std::string_view name) {
  auto* control = dynamic_cast<T*>(this->control(name));
  if (!control) throw std::logic_error("the design has no control " + std::string(name) + " of this kind");
  return *control;
}

platform::Control* StartupWindow::control(std::string_view name) {
  auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second.get();
}

}  // namespace window
