#pragma once

#include <string>
#include <string_view>

namespace platform {

// The save-file dialog `通用对话框1` of the start-up window and the shell's folder
// picker. Texts are GBK. The settings are kept here, the same on every platform; the
// dialogs themselves are shown by the platform's subclass.
class Dialogs {
 public:
  // `通用对话框1` is a save-file dialog with one filter entry ("name|pattern") and no
  // default extension: a name typed without one is used as typed.
  static constexpr std::string_view kSaveTitle = "读选择保存例程文件的路径：";
  static constexpr std::string_view kSaveFilter = "易语言源代码（*.e）|*.e";

  virtual ~Dialogs() = default;
  void setSaveInitialFolder(std::string folder) { saveInitialFolder_ = std::move(folder); }
  const std::string& saveInitialFolder() const { return saveInitialFolder_; }
  // Before the dialog: the name it offers; after OK: the full path chosen.
  void setSaveFileName(std::string name) { saveFileName_ = std::move(name); }
  const std::string& saveFileName() const { return saveFileName_; }

  // Shows the save-file dialog, which asks before replacing a file and wants an existing
  // folder. On OK, true, and the file name holds the full path; false on cancel.
  bool showSaveDialog() {
    std::string chosen;
    if (!askSavePath(chosen)) return false;
    saveFileName_ = std::move(chosen);
    return true;
  }

  // The shell's folder picker under `title`, folders only, with an edit box for a typed
  // path: the chosen folder, or the empty text on cancel.
  virtual std::string pickFolder(std::string_view title) = 0;

 protected:
  // Shows the dialog with the settings above; true and the full path on OK.
  virtual bool askSavePath(std::string& chosen) = 0;

 private:
  std::string saveInitialFolder_;
  std::string saveFileName_;
};

}  // namespace platform
