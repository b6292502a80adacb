// 编辑->粘贴: E source text from the clipboard joins the open program, as the IDE takes
// pasted code. The text's DLL commands, data types and constants are added; a text that
// holds program sets, holds no declaration, or does not parse is refused whole, with the
// reason, and the program stays as it was.
//
// A declaration that the program already has by that kind and name stays as it is: the
// program's own wins, as with the wizard's import, and the report counts it as kept.
//
// The clipboard belongs to every program on the desktop: its text is bounded in size
// before it is read, and parsed whole before anything changes.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "library/program_image.h"

namespace stand_in_ide {

// Bytes of GBK text or UTF-16 code units; larger clipboard texts are refused.
inline constexpr std::size_t kLargestPastedText = 16u << 20;

struct PasteReport {
  std::size_t added = 0;
  std::size_t kept = 0;  // the program had one of that kind and name; its own stays
  std::string refusal;   // GBK, for the user; the program is unchanged when there is one
  bool ok() const { return refusal.empty(); }
};

// The text is E source as the IDE copies it (program_source.h): a ".版本 N" first line,
// then blocks; its lines may end in CR LF or LF alone.
PasteReport pasteText(library::ProgramImage& program, std::string_view gbkText);

// Clipboard text in UTF-16; a character that GBK cannot hold refuses the paste.
PasteReport pasteText(library::ProgramImage& program, std::u16string_view text);

// How a clipboard block holds its text: GBK bytes (CF_TEXT, as a Chinese program puts it)
// or UTF-16 code units (CF_UNICODETEXT).
enum class ClipboardText { gbk, utf16 };

// A clipboard block as the system hands it over: its text ends at its first NUL or, in a
// block without one, at the block's end; a UTF-16 block's odd last byte is no character.
// Only what the paste may take (its limit and one unit more) is looked at.
PasteReport pasteBlock(library::ProgramImage& program, ClipboardText text, std::span<const unsigned char> block);

// GBK, for the status bar or a message box: "已粘贴 3 个声明", with the kept ones, or the
// refusal.
std::string pasteMessage(const PasteReport& report);

}  // namespace stand_in_ide
