// What the wizard keeps for the user between runs: the chosen API list with its ticks,
// the window's place, the names each list shows and the declaration on view. Read at
// start-up, written whole when the window has closed, whatever closed it.
#pragma once

#include "base/gbk_text.h"
#include "library/library.h"
#include "window/kept_state.h"
#include "window/wizard.h"

namespace app {

// What the last run kept, and what the user is told about it: nothing when it was read
// whole or there was none, a note when the file was ignored or names were dropped.
struct KeptAtStart {
  window::KeptState state;
  gbk::Text note;
};

KeptAtStart readKeptState(const window::Services& services);

// Before the lists are filled and the window is shown: the window's place, if it lies
// within a screen's work area and is no smaller than the layout allows; the languages.
void restorePlaceAndLanguages(window::StartupWindow& w, platform::Ui& ui, const window::KeptState& kept);

// Once the tree shows its first API: the chosen items that the library holds, with their
// ticks, and the declaration on view; the rest is dropped and the note says so. The note
// goes to the status bar.
void restoreChoices(window::StartupWindow& w, const library::Library& library, KeptAtStart& kept);

// Writes the state whole: a new file that then takes the old one's name, so a failure
// leaves the last good file as it was.
void keepState(window::Wizard& wizard);

}  // namespace app
