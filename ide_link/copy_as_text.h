// Copying chosen declarations to the clipboard as E text: the way into any E IDE, one
// that did not start the wizard included, by its paste.
#pragma once

#include "window/wizard.h"

namespace ide_link {

// The chosen API list's context menu item of the copy.
inline constexpr std::string_view kCopyMenuItem = "复制为易语言代码(&C)\tCtrl+C";

// Puts the ticked items of the chosen API list, or its selected item when none is
// ticked, on the clipboard as one E text with the data types and constants that they
// need; the status bar says what it holds. With nothing to copy, nothing happens but
// the status bar saying so; a clipboard that cannot be written is reported in a
// message and changes nothing. Whether the text is on the clipboard.
bool copyChosenDeclarations(window::Wizard& wizard);

}  // namespace ide_link
