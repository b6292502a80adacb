// The import of chosen declarations: the ticked items of the chosen API list go to the
// IDE by name, with the library program image in which the IDE finds them.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "base/gbk_text.h"
#include "ide_link/wizard_channel.h"
#include "ide_link/wizard_request_buffer.h"
#include "library/catalog.h"
#include "library/library.h"
#include "platform/controls.h"
#include "window/wizard.h"

namespace ide_link {

// Queues, in list order, one code-6 record for each ticked item (a data type item names
// its data type; an API item names its DLL command, then each data type of its catalog
// entry), then the code-5 records "a" and "b". Nothing is merged or left out.
void queueChosenDeclarations(WizardRequestBuffer& buffer, const platform::CheckListBox& chosen,
                             const library::Catalog& catalog);

// The payload of an import of the ticked items: the library program image with the
// constants that their copy as E text carries (library/declaration_copy.h).
std::string importPayload(const library::Library& library, const platform::CheckListBox& chosen);

// What the window says while an import waits for the IDE's answer.
inline constexpr std::string_view kWaitingForIdeText = "正在等待易语言集成开发环境答复…";

// An import sent to the IDE and not yet answered; at most one at a time.
struct ImportWait {
  std::unique_ptr<PendingRequest> request;
  bool waiting() const { return request != nullptr; }
};

// Queues the chosen declarations and sends them with the library program image. The
// window then waits for the IDE without blocking: it goes on answering and ticking, says
// that it waits, and its import button gives the wait up (no second exchange starts).
// When the request could not be delivered, the user is told how to start the wizard from
// the IDE and offered the copy of the ticked declarations as E text; the window stays as
// it was, its chosen list too, so that nothing the user gathered is lost. It takes the
// whole wizard: it reads the chosen list and the catalog, calls the IDE and a message
// box, and ticks the window.
void importChosenApis(window::Wizard& wizard, WizardRequestBuffer& buffer, ImportWait& wait);

// The window's tick while an import waits. Once the IDE answered (whatever it replied),
// the window closes and the program ends. Once nobody is left who could answer, the wait
// ends as an import that did not reach the IDE does.
void checkImportAnswer(window::Wizard& wizard, ImportWait& wait);

// Esc or the import button while an import waits: the wait ends, the window and its
// chosen list stay, and the status bar says so.
void giveUpImport(window::StartupWindow& w, ImportWait& wait);

}  // namespace ide_link
