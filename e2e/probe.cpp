// Test helper that runs beside the wizard under Wine and looks at it as Windows sees it.
//
//   probe wait                 waits (up to 60 s) until the wizard's window is shown
//   probe list                 the window and every child: design name, class, text,
//                              rectangle relative to the parent's client area and on
//                              the screen, visible, enabled, focused; list boxes also
//                              their count, selection, item height, first items and
//                              the selected item; status bars the texts of their parts;
//                              a child with text the size of its text in the
//                              controls' font (one line wide, and high when wrapped
//                              at the child's width)
//   probe resize W H           sets the window's outer size
//   probe key VK               sends a key press to the control that has the focus
//   probe click NAME           clicks the button whose design name is NAME (UTF-8)
//   probe boxes                the wizard's message boxes and their children, as list does
//
// A control's ID is its index in the design table, and the probe reads the names from
// the table that the wizard itself is built with: the tests name controls as the
// design does, whatever the order of the table. Output is UTF-8, one JSON object a line.
// The probe is aware of the screen's DPI, as the wizard is, so that it sees the wizard's
// real pixels.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/win32/handles.h"
#include "window/window_design.h"

namespace {

// The window looked at: the wizard's, or the top-level window of the class that the
// environment variable PROBE_WINDOW_CLASS names (the stand-in IDE's, for one).
HWND findWizard() {
  const wchar_t* windowClass = _wgetenv(L"PROBE_WINDOW_CLASS");
  return FindWindowW(windowClass && *windowClass ? windowClass : L"KelvaneWizardWindow", nullptr);
}

std::string utf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring fromUtf8(const char* text) {
  int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
  out.resize(out.size() - 1);
  return out;
}

// The design's names are GBK, as every text of the wizard.
std::wstring fromGbk(std::string_view text) {
  int n = MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

// The design name of the wizard's window or one of its controls; empty for the windows
// that the design does not make (the parts of a control, whose ID is 0 or none of the
// design's, and the message boxes).
// "e9a1b6" → the bytes E9 A1 B6.
std::string fromHex(const char* hex) {
  std::string bytes;
  for (std::size_t i = 0; hex[i] && hex[i + 1]; i += 2)
    bytes += static_cast<char>(std::stoi(std::string(hex + i, 2), nullptr, 16));
  return bytes;
}

std::wstring designName(HWND hwnd) {
  const auto design = window::startupWindowDesign();
  const HWND wizard = FindWindowW(L"KelvaneWizardWindow", nullptr);
  const bool window = hwnd == wizard;
  if (!window && !IsChild(wizard, hwnd)) return L"";
  const int id = window ? 0 : GetDlgCtrlID(hwnd);
  if ((!window && id == 0) || id < 0 || id >= static_cast<int>(design.size())) return L"";
  return fromGbk(design[static_cast<std::size_t>(id)].name);
}

std::string json(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\r') {
      out += "\\r";
      continue;
    }
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    out += c;
  }
  return out + "\"";
}

std::wstring text(HWND hwnd) {
  static wchar_t buffer[65536];
  buffer[0] = 0;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 65536, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, nullptr);
  return buffer;
}

// Status bars: the text of each part. SB_GETTEXT passes a pointer that Windows does not
// carry between processes, so the text goes through a buffer inside the wizard.
std::string statusParts(HWND hwnd) {
  DWORD processId = 0;
  GetWindowThreadProcessId(hwnd, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return "";
  constexpr std::size_t kChars = 1024;
  void* remote = VirtualAllocEx(process, nullptr, kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE);
  std::string out = ",\"parts\":[";
  LRESULT parts = SendMessageW(hwnd, SB_GETPARTS, 0, 0);
  for (LRESULT i = 0; remote && i < parts; ++i) {
    wchar_t part[kChars] = {};
    if (LOWORD(SendMessageW(hwnd, SB_GETTEXTLENGTHW, i, 0)) < kChars) {
      SendMessageW(hwnd, SB_GETTEXTW, i, reinterpret_cast<LPARAM>(remote));
      ReadProcessMemory(process, remote, part, sizeof part - sizeof(wchar_t), nullptr);
    }
    if (i) out += ",";
    out += json(utf8(part));
  }
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return out + "]";
}

std::wstring listItemText(HWND list, LRESULT pos) {
  wchar_t item[512] = {};
  if (SendMessageW(list, LB_GETTEXTLEN, pos, 0) < 511)
    SendMessageW(list, LB_GETTEXT, pos, reinterpret_cast<LPARAM>(item));
  return item;
}

// Buttons: whether checked. List boxes: item count, selection, item height, the first items' texts and the
// selected item's text.
std::string listDetails(HWND hwnd, const std::wstring& cls) {
  if (cls == L"msctls_statusbar32") return statusParts(hwnd);
  if (cls == L"Button") return std::string(",\"checked\":") + (SendMessageW(hwnd, BM_GETCHECK, 0, 0) ? "true" : "false");
  if (cls != L"ListBox" && cls != L"SysTreeView32") return "";
  if (cls == L"SysTreeView32") {
    return ",\"itemHeight\":" + std::to_string(SendMessageW(hwnd, TVM_GETITEMHEIGHT, 0, 0)) +
           ",\"scrollBars\":" + std::to_string((GetWindowLongPtrW(hwnd, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0);
  }
  LRESULT count = SendMessageW(hwnd, LB_GETCOUNT, 0, 0);
  std::string out = ",\"count\":" + std::to_string(count) +
                    ",\"selection\":" + std::to_string(SendMessageW(hwnd, LB_GETCURSEL, 0, 0)) +
                    ",\"itemHeight\":" + std::to_string(SendMessageW(hwnd, LB_GETITEMHEIGHT, 0, 0)) + ",\"items\":[";
  auto itemText = [hwnd](LRESULT i) { return json(utf8(listItemText(hwnd, i))); };
  for (LRESULT i = 0; i < count && i < 40; ++i) {
    if (i) out += ",";
    out += itemText(i);
  }
  return out + "],\"selectedText\":" + itemText(SendMessageW(hwnd, LB_GETCURSEL, 0, 0));
}

HWND focusedWindow() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(findWizard(), nullptr), &info);
  return info.hwndFocus;
}

// The wizard's control font, 宋体 12 pixels at 96 pixels per inch, on this screen.
HFONT controlFont() {
  static HFONT font = [] {
    const int dpi = GetDeviceCaps(platform::win32::WindowDc(nullptr).get(), LOGPIXELSY);
    return CreateFontW(-MulDiv(12, dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");
  }();
  return font;
}

std::string textExtent(HWND hwnd) {
  std::wstring caption = text(hwnd);
  if (caption.empty() || !GetParent(hwnd)) return "";
  platform::win32::WindowDc screen(nullptr);
  const HDC dc = screen.get();
  platform::win32::Selection font(dc, controlFont());
  // One line as a button draws it: "&" marks the underlined letter and takes no room.
  RECT line{};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &line, DT_CALCRECT | DT_SINGLELINE);
  RECT client{};
  GetClientRect(hwnd, &client);
  RECT wrapped{0, 0, client.right, 0};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &wrapped, DT_CALCRECT | DT_WORDBREAK);
  return ",\"textWidth\":" + std::to_string(line.right) + ",\"textHeight\":" + std::to_string(wrapped.bottom);
}

void print(HWND hwnd, int depth) {
  wchar_t cls[128] = {};
  GetClassNameW(hwnd, cls, 128);
  RECT r{};
  GetWindowRect(hwnd, &r);
  if (HWND parent = GetParent(hwnd)) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  RECT client{};
  GetClientRect(hwnd, &client);
  RECT screen{};
  GetWindowRect(hwnd, &screen);
  std::printf(
      "{\"depth\":%d,\"name\":%s,\"class\":%s,\"text\":%s,\"left\":%ld,\"top\":%ld,\"width\":%ld,"
      "\"height\":%ld,\"screenLeft\":%ld,\"screenTop\":%ld,\"clientWidth\":%ld,\"clientHeight\":%ld,"
      "\"visible\":%s,\"enabled\":%s,\"focused\":%s%s%s}\n",
      depth, json(utf8(designName(hwnd))).c_str(), json(utf8(cls)).c_str(), json(utf8(text(hwnd))).c_str(), r.left,
      r.top, r.right - r.left, r.bottom - r.top, screen.left, screen.top, client.right, client.bottom,
      IsWindowVisible(hwnd) ? "true" : "false", IsWindowEnabled(hwnd) ? "true" : "false",
      focusedWindow() == hwnd ? "true" : "false", listDetails(hwnd, cls).c_str(), textExtent(hwnd).c_str());
}

void printTree(HWND hwnd, int depth) {
  print(hwnd, depth);
  for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    printTree(child, depth + 1);
}

HWND findControl(HWND parent, const std::wstring& name) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (designName(child) == name) return child;
    if (HWND found = findControl(child, name)) return found;
  }
  return nullptr;
}

// Message boxes have no owner: they are the dialog windows of the wizard's process.
BOOL CALLBACK printMessageBox(HWND hwnd, LPARAM wizardProcess) {
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (process == static_cast<DWORD>(wizardProcess) && std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd)) {
    printTree(hwnd, 0);
  }
  return TRUE;
}

// Tooltips and menus are top-level windows of the wizard's process, found by class.
struct PopupSearch {
  DWORD process;
  std::wstring windowClass;
};

BOOL CALLBACK printPopup(HWND hwnd, LPARAM searchPointer) {
  const auto& search = *reinterpret_cast<const PopupSearch*>(searchPointer);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  wchar_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  if (process == search.process && search.windowClass == cls && IsWindowVisible(hwnd)) print(hwnd, 0);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  SetProcessDPIAware();
  std::string command = argv[1];
  if (command == "wait") {
    for (int i = 0; i < 600; ++i) {
      HWND w = findWizard();
      if (w && IsWindowVisible(w)) return 0;
      Sleep(100);
    }
    return 1;
  }
  HWND w = findWizard();
  if (!w) {
    std::printf("{\"error\":\"no wizard window\"}\n");
    return 1;
  }
  if (command == "list") {
    printTree(w, 0);
  } else if (command == "boxes") {
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    EnumWindows(printMessageBox, static_cast<LPARAM>(process));
  } else if (command == "popups" && argc == 3) {
    PopupSearch search{0, fromUtf8(argv[2])};
    GetWindowThreadProcessId(w, &search.process);
    EnumWindows(printPopup, reinterpret_cast<LPARAM>(&search));
  } else if (command == "redraw") {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  } else if (command == "resize" && argc == 4) {
    SetWindowPos(w, nullptr, 0, 0, std::atoi(argv[2]), std::atoi(argv[3]), SWP_NOMOVE | SWP_NOZORDER);
  } else if (command == "key" && argc == 3) {
    DWORD thread = GetWindowThreadProcessId(w, nullptr);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread, &info);
    HWND target = info.hwndFocus ? info.hwndFocus : w;
    PostMessageW(target, WM_KEYDOWN, static_cast<WPARAM>(std::atoi(argv[2])), 1);
  } else if (command == "answers" && argc == 3) {
    // For the given milliseconds, sends the window WM_NULL every 20 ms and times each
    // answer: the longest, and how many took more than 5 s (a window that does not answer).
    const DWORD until = GetTickCount() + static_cast<DWORD>(std::atoi(argv[2]));
    DWORD longest = 0;
    int sends = 0, unanswered = 0;
    while (GetTickCount() < until) {
      LARGE_INTEGER frequency, before, after;
      QueryPerformanceFrequency(&frequency);
      QueryPerformanceCounter(&before);
      DWORD_PTR result = 0;
      if (!SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)) ++unanswered;
      QueryPerformanceCounter(&after);
      longest =
          std::max<DWORD>(longest, static_cast<DWORD>((after.QuadPart - before.QuadPart) * 1000 / frequency.QuadPart));
      ++sends;
      Sleep(20);
    }
    std::printf("{\"sends\":%d,\"longestMs\":%lu,\"unanswered\":%d}\n", sends, longest, unanswered);
  } else if (command == "settext" && argc == 4) {
    // Text that the keyboard of the test display cannot type (Chinese), put into an edit
    // box as a paste would: the box reports the change as it does for typing. Name and
    // text come as hex of their UTF-8, which no locale of the command line garbles.
    HWND edit = findControl(w, fromUtf8(fromHex(argv[2]).c_str()));
    if (!edit) return 1;
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fromUtf8(fromHex(argv[3]).c_str()).c_str()),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
  } else if (command == "click" && argc == 3) {
    HWND button = findControl(w, fromUtf8(argv[2]));
    if (!button) return 1;
    PostMessageW(button, BM_CLICK, 0, 0);
  } else {
    return 2;
  }
  return 0;
}
