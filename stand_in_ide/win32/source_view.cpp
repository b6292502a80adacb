#include "stand_in_ide/win32/source_view.h"

#include "platform/win32/native_control.h"  // windows.h first

#include <algorithm>

namespace stand_in_ide {
namespace {

// Some 10 ms of Wine's measuring each, into a hidden edit box.
constexpr std::size_t kPieceLength = 2048;
// Each piece costs more the longer the text grows: a view of 3.7 million characters took
// a minute to fill. A longer program is shown as far as this, with a line saying so.
constexpr std::size_t kLongestShown = 1u << 20;

// The end of the piece that begins at `start`: after a line end where there is one, and
// never between the two halves of a surrogate pair.
std::size_t pieceEnd(const std::wstring& text, std::size_t start) {
  if (text.size() - start <= kPieceLength) return text.size();
  std::size_t end = start + kPieceLength;
  std::size_t lineEnd = text.rfind(L'\n', end - 1);
  if (lineEnd != std::wstring::npos && lineEnd >= start) return lineEnd + 1;
  return IS_HIGH_SURROGATE(text[end - 1]) ? end - 1 : end;
}

// The text as far as the view shows it: whole lines, and the count of those left out.
std::wstring shortened(std::wstring text) {
  if (text.size() <= kLongestShown) return text;
  std::size_t end = text.rfind(L'\n', kLongestShown - 1) + 1;  // 0 without a line end
  std::size_t lines = std::count(text.begin() + end, text.end(), L'\n') + (text.back() == L'\n' ? 0 : 1);
  text.resize(end);
  return text + L"……（其余 " + std::to_wstring(lines) + L" 行未显示）\r\n";
}

}  // namespace

void SourceView::create(HWND parent) {
  window = parent;
  edit = CreateWindowExW(
      WS_EX_CLIENTEDGE, L"EDIT", L"",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 0,
      0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(platform::win32::controlFont()), FALSE);
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);  // no limit: a program may be long
}

void SourceView::show(std::wstring source) {
  text = shortened(std::move(source));
  shown = pieceEnd(text, 0);
  // A shown edit box scrolls to each piece and draws it, which took Wine some ten times
  // as long as the measuring: the box is hidden until its text is whole.
  if (shown < text.size() && !hidden) {
    ShowWindow(edit, SW_HIDE);
    hidden = true;
  }
  SetWindowTextW(edit, text.substr(0, shown).c_str());
  if (hidden) SendMessageW(edit, EM_SETSEL, shown, shown);  // each piece goes where the caret is
  PostMessageW(window, kNextPieceMessage, 0, 0);
}

bool SourceView::showNextPiece() {
  if (shown < text.size()) {
    std::size_t end = pieceEnd(text, shown);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.substr(shown, end - shown).c_str()));
    shown = end;
  }
  if (shown < text.size()) {
    PostMessageW(window, kNextPieceMessage, 0, 0);
    return false;
  }
  if (hidden) {
    SendMessageW(edit, EM_SETSEL, 0, 0);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    ShowWindow(edit, SW_SHOW);
    hidden = false;
  }
  return true;
}

}  // namespace stand_in_ide
