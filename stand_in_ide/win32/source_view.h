// The read-only edit box that shows the open program as E source text.
//
// Wine's edit control measures every line it is given, some microseconds a character: a
// program of a few megabytes, set at once, kept the window from answering for seconds. A
// long text is therefore handed over in pieces, one for each message that the view posts
// to its window, and the window answers between them. A program's text beyond a million
// characters is left out of the view, which says how many lines it leaves out; the
// program itself keeps them.
#pragma once

#include <windows.h>

#include <string>

namespace stand_in_ide {

class SourceView {
 public:
  // Posted to the window after each piece; the window passes it to showNextPiece().
  static constexpr UINT kNextPieceMessage = WM_APP + 4;

  void create(HWND window);
  HWND handle() const { return edit; }
  // Replaces the text shown: its first piece at once, the rest piece by piece. A text of
  // one piece, too, is followed by kNextPieceMessage, so that the window learns in one
  // place when a text is whole.
  void show(std::wstring source);
  // Shows the next piece, if one is left; true once the whole text is shown (also for a
  // message left from a text since replaced).
  bool showNextPiece();

 private:
  HWND window = nullptr;
  HWND edit = nullptr;
  std::wstring text;
  std::size_t shown = 0;  // characters of `text` in the edit box
  bool hidden = false;    // while pieces are added
};

}  // namespace stand_in_ide
