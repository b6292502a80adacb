// The in-memory platform that the native tests drive: no screen, every effect recorded.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "platform/ui.h"

namespace platform::headless {

class HeadlessUi : public Ui {
 public:
  // The window frame around the client area (borders and caption), as a classic theme
  // draws it at 96 pixels per inch.
  static constexpr Size kFrame{8, 34};

  explicit HeadlessUi(Scale scale = {});
  ~HeadlessUi() override;

  Scale displayScale() const override { return scale_; }
  Rect workArea(const Rect&) const override { return screenWorkArea; }
  void realize(Control& control, const ControlDesign& design, int designIndex) override;
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

  // One screen of 1280 × 800 with a task bar of 40 pixels along its bottom.
  Rect screenWorkArea{0, 0, 1280, 760};

 private:
  class Peer;
  bool coveredByBoard(const Control& control) const;
  Scale scale_;
  std::map<const Control*, std::unique_ptr<Peer>> peers_;
  const Control* focused_ = nullptr;
};

class HeadlessShell : public Shell {
 public:
  Path documentsFolder() override {
    ++documentsFolderAsked;
    return u"C:\\Users\\user\\Documents";
  }
  Path programFolder() override { return programFolderPath; }
  Path keptStateFolder() override { return keptStateFolderPath; }
  void run(const Path& file, std::u16string_view commandLine) override {
    started.push_back({file, std::u16string(commandLine)});
  }
  Path programFolderPath = u"C:\\E\\wizard";
  Path keptStateFolderPath = u"C:\\Users\\user\\AppData\\Roaming\\Kelvane\\API向导";
  int documentsFolderAsked = 0;
  // Every run: the file and its command line.
  std::vector<std::pair<Path, std::u16string>> started;
};

// The dialogs answer what the test has set; each showing is recorded.
class HeadlessDialogs : public Dialogs {
 public:
  DialogAnswer pickFolder(std::string_view title, Path& folder) override {
    foldersAsked.emplace_back(title);
    folder = folderAnswer;
    return folder.empty() ? DialogAnswer::cancelled : DialogAnswer::chosen;
  }
  // The save dialog's answer: the full path chosen, or nothing for Cancel.
  std::optional<Path> saveAnswer;
  // The folder picker's answer; empty for Cancel.
  Path folderAnswer;
  // The file name that the save dialog offered, each time it was shown.
  std::vector<Path> saveNamesOffered;
  std::vector<std::string> foldersAsked;

 protected:
  DialogAnswer askSavePath(Path& chosen) override {
    saveNamesOffered.push_back(saveFileName());
    if (!saveAnswer) return DialogAnswer::cancelled;
    chosen = *saveAnswer;
    return DialogAnswer::chosen;
  }
};

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
  MessageAnswer answer = MessageAnswer::ok;
};

}  // namespace platform::headless
