#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// What the user did in a dialog. A path holding a character that GBK lacks (ø, Hangul)
// cannot be written through the wizard's GBK paths: such a choice is `outsideGbk`.
enum class DialogAnswer { chosen, cancelled, outsideGbk };

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
  // The folder the save dialog opens in, asked of `folder` once, at its first use: finding
  // a shell folder loads the shell, which the start-up need not wait for.
  void setSaveInitialFolder(std::function<std::string()> folder) {
    saveFolderSource_ = std::move(folder);
    saveInitialFolder_.reset();
  }
  const std::string& saveInitialFolder() const {
    if (!saveInitialFolder_) saveInitialFolder_ = saveFolderSource_ ? saveFolderSource_() : std::string();
    return *saveInitialFolder_;
  }
  // Before the dialog: the name it offers; after OK: the full path chosen.
  void setSaveFileName(std::string name) { saveFileName_ = std::move(name); }
  const std::string& saveFileName() const { return saveFileName_; }

  // Shows the save-file dialog, which asks before replacing a file and wants an existing
  // folder. When a path is chosen, the file name holds it in full.
  DialogAnswer showSaveDialog() {
    std::string chosen;
    DialogAnswer answer = askSavePath(chosen);
    if (answer == DialogAnswer::chosen) saveFileName_ = std::move(chosen);
    return answer;
  }

  // The shell's folder picker under `title`, folders only, with an edit box for a typed
  // path; `folder` gets the folder chosen.
  virtual DialogAnswer pickFolder(std::string_view title, std::string& folder) = 0;

 protected:
  // Shows the dialog with the settings above; `chosen` gets the full path chosen.
  virtual DialogAnswer askSavePath(std::string& chosen) = 0;

 private:
  std::function<std::string()> saveFolderSource_;
  mutable std::optional<std::string> saveInitialFolder_;
  std::string saveFileName_;
};

}  // namespace platform
