// The stand-in IDE's one window: its open program shown as E source text in a read-only
// edit box, the menus 文件->保存, 编辑->粘贴 (Ctrl+V) and 工具->执行易向导, and a status bar.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "library/program_image.h"
#include "platform/win32/window_base.h"
#include "stand_in_ide/win32/menu_bar.h"
#include "stand_in_ide/win32/wizard_run.h"

namespace stand_in_ide {

class IdeWindow : public platform::win32::WindowBase<IdeWindow> {
 public:
  static constexpr const wchar_t* kClassName = L"StandInIdeWindow";

  // `path`: the program file the program came from, empty for a new program.
  IdeWindow(library::ProgramImage program, std::wstring path, std::wstring recordFolder);
  bool create(int show);
  void 菜单_执行易向导_chosen();
  // The window's keyboard shortcuts (Ctrl+V), for the message loop.
  bool translateShortcut(MSG& message);

 protected:
  LRESULT handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void 菜单_保存_chosen();
  void 菜单_粘贴_chosen();
  void 主窗口_created(HWND hwnd);
  void 主窗口_resized();
  void 易向导_requestArrived(Exchange& exchange);
  void 易向导_ended(DWORD exitCode);
  void showProgram();
  void showStatus(const std::wstring& text);

  library::ProgramImage program;
  std::wstring path;
  std::wstring recordFolder;
  std::wstring lastReply;  // to the wizard's last request
  HWND window = nullptr;
  HWND sourceView = nullptr;
  HWND statusBar = nullptr;
  std::unique_ptr<MenuBar> menuBar;
  platform::win32::Owned<HACCEL, DestroyAcceleratorTable> shortcuts;
  std::unique_ptr<WizardRun> wizard;
};

}  // namespace stand_in_ide
