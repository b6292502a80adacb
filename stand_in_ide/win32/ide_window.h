// The stand-in IDE's one window: its open program shown as E source text in a read-only
// edit box, the menus 文件->保存, 编辑->粘贴 (Ctrl+V) and 工具->执行易向导, and a status bar.
// A program file named on the command line is opened once the window is there; until it
// is, the menus say so and do nothing.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "library/program_image.h"
#include "platform/win32/window_base.h"
#include "stand_in_ide/win32/menu_bar.h"
#include "stand_in_ide/win32/program_opening.h"
#include "stand_in_ide/win32/source_view.h"
#include "stand_in_ide/win32/wizard_run.h"

namespace stand_in_ide {

class IdeWindow : public platform::win32::WindowBase<IdeWindow> {
 public:
  static constexpr const wchar_t* kClassName = L"StandInIdeWindow";

  // `path`: the program file to open, empty for a new program.
  IdeWindow(std::wstring path, std::wstring recordFolder);
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
  void 程序文件_read(ProgramOpening::Result read);
  void 编辑框_源码_shown();
  void 易向导_requestArrived(Exchange& exchange);
  void 易向导_ended(DWORD exitCode);
  bool stillOpening();
  void showTitle();
  void showProgram();
  void showStatus(const std::wstring& text);

  library::ProgramImage program = library::newProgram();
  std::wstring path;  // of the program's file; empty for a new program
  std::wstring recordFolder;
  std::wstring lastReply;  // to the wizard's last request
  HWND window = nullptr;
  SourceView sourceView;
  HWND statusBar = nullptr;
  std::unique_ptr<MenuBar> menuBar;
  platform::win32::Owned<HACCEL, DestroyAcceleratorTable> shortcuts;
  std::unique_ptr<ProgramOpening> opening;  // until the program file is read and shown
  std::unique_ptr<WizardRun> wizard;
};

}  // namespace stand_in_ide
