#include "stand_in_ide/win32/ide_window.h"

#include "platform/win32/native_control.h"  // windows.h first

#include <commdlg.h>

#include <optional>

#include "stand_in_ide/import.h"
#include "stand_in_ide/paste.h"

namespace stand_in_ide {
namespace {

constexpr UINT kMenuSave = 101;
constexpr UINT kMenuPaste = 151;
constexpr UINT kMenuRunWizard = 201;

constexpr MenuItem kFileItems[] = {{kMenuSave, L"保存(&S)"}};
constexpr MenuItem kEditItems[] = {{kMenuPaste, L"粘贴(&V)\tCtrl+V"}};
constexpr MenuItem kToolItems[] = {{kMenuRunWizard, L"执行易向导(&W)"}};
constexpr Menu kMenus[] = {{L"文件(&F)", kFileItems}, {L"编辑(&E)", kEditItems}, {L"工具(&T)", kToolItems}};

using platform::win32::wide;

std::wstring folderOf(const std::wstring& file) {
  std::size_t slash = file.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : file.substr(0, slash);
}

std::wstring ownFolder() {
  wchar_t path[MAX_PATH] = {};
  return folderOf(std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH)));
}

// The text format that the copying program put first. The system adds the other one after
// the formats put there (EnumClipboardFormats lists them in that order), converted through
// the clipboard's locale: GBK text put alone as CF_TEXT would come back as CF_UNICODETEXT
// decoded by whatever code page that locale has.
std::optional<ClipboardText> firstTextFormat() {
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    if (format == CF_TEXT) return ClipboardText::gbk;
    if (format == CF_UNICODETEXT) return ClipboardText::utf16;
  }
  return std::nullopt;
}

// The clipboard's text pasted into `program`.
PasteReport pasteClipboard(HWND owner, library::ProgramImage& program) {
  if (!OpenClipboard(owner)) return {0, 0, "无法打开剪贴板"};
  struct Closer {
    ~Closer() { CloseClipboard(); }
  } closer;
  std::optional<ClipboardText> text = firstTextFormat();
  HANDLE data = text ? GetClipboardData(*text == ClipboardText::gbk ? CF_TEXT : CF_UNICODETEXT) : nullptr;
  const void* bytes = data ? GlobalLock(data) : nullptr;
  if (!bytes) return {0, 0, "剪贴板中没有文本"};
  PasteReport report = pasteBlock(program, *text, {static_cast<const unsigned char*>(bytes), GlobalSize(data)});
  GlobalUnlock(data);
  return report;
}

// The file is written beside its place first, so that a failed save leaves the old one.
bool saveFile(const std::wstring& target, const std::string& bytes) {
  std::wstring temporary = target + L".saving";
  if (writeFile(temporary, bytes.data(), bytes.size()) &&
      MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    return true;
  }
  DeleteFileW(temporary.c_str());
  return false;
}

}  // namespace

IdeWindow::IdeWindow(std::wstring path, std::wstring recordFolder)
    : path(std::move(path)), recordFolder(std::move(recordFolder)) {}

bool IdeWindow::create(int show) {
  registerClass(GetSysColorBrush(COLOR_BTNFACE));
  HWND hwnd = createWindow(0, L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 900, 640, nullptr);
  if (!hwnd) return false;
  menuBar = std::make_unique<MenuBar>(hwnd, kMenus);
  SetMenu(hwnd, menuBar->handle());
  ACCEL paste{FVIRTKEY | FCONTROL, 'V', kMenuPaste};
  shortcuts.reset(CreateAcceleratorTableW(&paste, 1));
  ShowWindow(hwnd, show);
  return true;
}

LRESULT IdeWindow::handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: 主窗口_created(hwnd); return 0;
    case WM_SIZE: 主窗口_resized(); return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kMenuSave) 菜单_保存_chosen();
      if (LOWORD(wParam) == kMenuPaste) 菜单_粘贴_chosen();
      if (LOWORD(wParam) == kMenuRunWizard) 菜单_执行易向导_chosen();
      return 0;
    case WM_MEASUREITEM:
      if (menuBar && menuBar->measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_DRAWITEM:
      if (menuBar && menuBar->draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_MENUCHAR:
      if (LRESULT found = menuBar ? menuBar->menuChar(LOWORD(wParam), reinterpret_cast<HMENU>(lParam)) : 0) {
        return found;
      }
      break;
    case kProgramOpenedMessage:
      if (opening) 程序文件_read(opening->take());
      return 0;
    case SourceView::kNextPieceMessage:
      if (sourceView.showNextPiece()) 编辑框_源码_shown();
      return 0;
    case kRequestMessage: 易向导_requestArrived(*reinterpret_cast<Exchange*>(lParam)); return 0;
    case kWizardEndedMessage: 易向导_ended(static_cast<DWORD>(wParam)); return 0;
    case WM_DESTROY:
      opening.reset();
      wizard.reset();
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void IdeWindow::主窗口_created(HWND hwnd) {
  window = hwnd;
  sourceView.create(hwnd);
  statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, hwnd,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  showTitle();
  if (path.empty()) {
    showProgram();
    showStatus(L"新程序");
  } else {
    showStatus(L"正在打开：" + path);
    opening = std::make_unique<ProgramOpening>(hwnd, path);
  }
}

void IdeWindow::主窗口_resized() {
  RECT client{};
  GetClientRect(window, &client);
  SendMessageW(statusBar, WM_SIZE, 0, 0);
  RECT status{};
  GetWindowRect(statusBar, &status);
  MoveWindow(sourceView.handle(), 0, 0, client.right, client.bottom - (status.bottom - status.top), TRUE);
}

void IdeWindow::程序文件_read(ProgramOpening::Result read) {
  program = std::move(read.program);
  sourceView.show(std::move(read.source));
  if (read.error.empty()) return;
  path.clear();
  showTitle();
  MessageBoxW(window, read.error.c_str(), L"信息：", MB_OK | MB_ICONERROR);
}

// The opening ends when the program's text is whole on view.
void IdeWindow::编辑框_源码_shown() {
  if (!opening) return;
  opening.reset();
  showStatus(path.empty() ? L"新程序" : path);
}

// Until the program file is open and shown there is no program to save, paste into or
// import into.
bool IdeWindow::stillOpening() {
  if (opening) showStatus(L"正在打开：" + path);
  return opening != nullptr;
}

void IdeWindow::菜单_保存_chosen() {
  if (stillOpening()) return;
  wchar_t file[MAX_PATH] = L"新程序.e";
  if (!path.empty()) lstrcpynW(file, path.c_str(), MAX_PATH);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window;
  dialog.lpstrFilter = L"易程序 (*.e)\0*.e\0所有文件 (*.*)\0*.*\0";
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrDefExt = L"e";
  dialog.lpstrTitle = L"保存程序";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&dialog)) return;
  library::ImageWriting writing = library::writeProgramImage(program);
  if (!writing.ok() || !saveFile(file, writing.bytes)) {
    MessageBoxW(window, (L"无法保存程序：" + std::wstring(file)).c_str(), L"信息：", MB_OK | MB_ICONERROR);
    return;
  }
  path = file;
  showTitle();
  showStatus(L"已保存：" + path);
}

void IdeWindow::菜单_粘贴_chosen() {
  if (stillOpening()) return;
  PasteReport report = pasteClipboard(window, program);
  std::wstring message = wide(pasteMessage(report));
  if (report.ok()) {
    showProgram();
  } else {
    MessageBoxW(window, message.c_str(), L"信息：", MB_OK | MB_ICONERROR);
  }
  showStatus(message);
}

bool IdeWindow::translateShortcut(MSG& message) {
  return shortcuts && TranslateAcceleratorW(window, shortcuts.get(), &message);
}

void IdeWindow::菜单_执行易向导_chosen() {
  if (stillOpening()) return;
  if (wizard) {
    showStatus(L"易向导正在运行");
    return;
  }
  std::wstring error;
  wizard = WizardRun::start(window, ownFolder(), recordFolder, error);
  if (!wizard) {
    MessageBoxW(window, error.c_str(), L"信息：", MB_OK | MB_ICONERROR);
    return;
  }
  showStatus(L"易向导正在运行");
}

void IdeWindow::易向导_requestArrived(Exchange& exchange) {
  exchange.reply = answerRequest(program, exchange.request);
  lastReply = wide(exchange.reply);
  showProgram();
  showStatus(lastReply);
}

void IdeWindow::易向导_ended(DWORD exitCode) {
  wizard.reset();
  showStatus(L"易向导已结束，退出码 " + std::to_wstring(exitCode) + (lastReply.empty() ? L"" : L"。" + lastReply));
}

void IdeWindow::showTitle() {
  SetWindowTextW(window, (L"替身 IDE - " + (path.empty() ? std::wstring(L"新程序") : path)).c_str());
}

void IdeWindow::showProgram() { sourceView.show(sourceText(program)); }

void IdeWindow::showStatus(const std::wstring& text) {
  SendMessageW(statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace stand_in_ide
