// The in-memory platform that the native tests drive: no screen, every effect recorded.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "platform/ui.h"

namespace platform::headless {

class HeadlessUi : public Ui {
 public:
  // The window frame around the client area (borders and caption), as a classic theme draws it.
  static constexpr Size kFrame{8, 34};

  HeadlessUi();
  ~HeadlessUi() override;

  void realize(Control& control, const ControlDesign& design) override;
  // Lays out and creates the window; there is no message loop: the test acts as the user.
  int run(Window& window) override;

  // What the native side was last told to show.
  bool shownOnScreen(const Control& control) const;
  const Control* focused() const { return focused_; }
  bool destroyed(const Window& window) const;
  int boardFontPoints(const Control& board) const;
  // How often a grid was told to show its table again, and how often that happened
  // while no shown drawing board lay exactly on it.
  int tableShows(const Control& grid) const;
  int uncoveredTableShows(const Control& grid) const;
  // The position that a tree box was last told to scroll into view, -1 if none.
  int treeScrolledTo(const Control& tree) const;

 private:
  class Peer;
  bool coveredByBoard(const Control& control) const;
  std::map<const Control*, std::unique_ptr<Peer>> peers_;
  const Control* focused_ = nullptr;
};

class HeadlessShell : public Shell {
 public:
  std::string documentsFolder() override { return "C:\\Users\\user\\Documents"; }
  std::string programFolder() override { return "C:\\E\\wizard"; }
  void run(std::string_view file, std::string_view commandLine) override {
    started.push_back({std::string(file), std::string(commandLine)});
  }
  std::vector<std::pair<std::string, std::string>> started;
};

// No dialog is shown on the headless platform; the settings live in the base.
class HeadlessDialogs : public Dialogs {};

class HeadlessMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::string text, caption;
    MessageIcon icon;
    MessageButtons buttons;
  };
  MessageAnswer show(std::string_view text, std::string_view caption, MessageIcon icon,
                     MessageButtons buttons) override {
    shown.push_back({std::string(text), std::string(caption), icon, buttons});
    return answer;
  }
  std::vector<Shown> shown;
  MessageAnswer answer = MessageAnswer::Ok;
};

}  // namespace platform::headless
