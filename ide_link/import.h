// The import of chosen declarations: the ticked items of the chosen API list go to the
// IDE by name, with the library program image in which the IDE finds them.
#pragma once

#include <vector>

#include "ide_link/wizard_request_buffer.h"
#include "library/catalog.h"
#include "library/gbk_text.h"
#include "platform/controls.h"
#include "window/wizard.h"

namespace ide_link {

// Queues, in list order, one code-6 record for each ticked item (a data type item names
// its data type; an API item names its DLL command, then each data type of its catalog
// entry), then the code-5 records "a" and "b". Nothing is merged or left out.
void queueChosenDeclarations(WizardRequestBuffer& buffer, const platform::CheckListBox& chosen,
                             const library::Catalog& catalog);

// Queues the chosen declarations and sends them with the library program image. When the
// IDE answered, the window closes and the program ends. When it could not be reached, the
// user is told how to start the wizard from the IDE and the window stays as it was, its
// chosen list too, so that nothing the user gathered is lost, and is offered the copy of
// the ticked declarations as E text in its place. It takes the whole wizard:
// it reads the chosen list and the catalog, calls the IDE and a message box, and closes
// the window.
void importChosenApis(window::Wizard& wizard, WizardRequestBuffer& buffer);

}  // namespace ide_link
