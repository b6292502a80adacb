#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "platform/path.h"

namespace platform {

enum class DialogAnswer { chosen, cancelled };

// The save-file dialog `通用对话框1` of the start-up window and the shell's folder
// picker. Titles and filters are GBK; paths are paths. The settings are kept here, the
// same on every platform; the dialogs themselves are shown by the platform's subclass.
class Dialogs {
 public:
  // `通用对话框1` is a save-file dialog with one filter entry ("name|pattern") and no
  // default extension: a name typed without one is used as typed.
  static constexpr std::string_view kSaveTitle = "读选择保存例程文件的路径：";
  static constexpr std::string_view kSaveFilter = "易语言源代码（*.e）|*.e";

  virtual ~Dialogs() = default;
  // The folder the save dialog opens in, asked of `folder` once, at its first use: finding
  // a shell folder loads the shell, which the start-up need not wait for.
  void setSaveInitialFolder(std::function<Path()> folder) {
    saveFolderSource_ = std::move(folder);
    saveInitialFolder_.reset();
  }
  const Path& saveInitialFolder() const {
    if (!saveInitialFolder_) saveInitialFolder_ = saveFolderSource_ ? saveFolderSource_() : Path();
    return *saveInitialFolder_;
  }
  // Before the dialog: the name it offers; after OK: the full path chosen.
  void setSaveFileName(Path name) { saveFileName_ = std::move(name); }
  const Path& saveFileName() const { return saveFileName_; }

  // Shows the save-file dialog, which asks before replacing a file and wants an existing
  // folder. When a path is chosen, the file name holds it in full.
  DialogAnswer showSaveDialog() {
    Path chosen;
    DialogAnswer answer = askSavePath(chosen);
    if (answer == DialogAnswer::chosen) saveFileName_ = std::move(chosen);
    return answer;
  }

  // The shell's folder picker under `title`, folders only, with an edit box for a typed
  // path; `folder` gets the folder chosen.
  virtual DialogAnswer pickFolder(std::string_view title, Path& folder) = 0;

 protected:
  // Shows the dialog with the settings above; `chosen` gets the full path chosen.
  virtual DialogAnswer askSavePath(Path& chosen) = 0;

 private:
  std::function<Path()> saveFolderSource_;
  mutable std::optional<Path> saveInitialFolder_;
  Path saveFileName_;
};

}  // namespace platform
