#include "ide_link/import.h"

#include "ide_link/copy_as_text.h"
#include "library/declaration_copy.h"
#include "library/program_image.h"
#include "navigation/chosen_lists.h"

namespace ide_link {

namespace {

// An import that did not reach the IDE tells the user how to start the wizard so that it can.
constexpr std::string_view kImportFailedMessage = "与易系统通讯失败！请从易系统的菜单“工具->执行易向导”启动本向导。";
// ...and offers the way that needs no channel, so that the work gathered is not stuck.
constexpr std::string_view kOfferToCopy =
    "\r\n\r\n也可以把打勾的声明复制为易语言代码，再粘贴到易语言程序中。现在复制吗？";

void queueDeclaration(WizardRequestBuffer& buffer, library::DeclarationKind kind, std::string_view name) {
  buffer.queueCommandRecord(6, {Argument::integer(static_cast<std::int32_t>(kind)), Argument::text(name),
                                Argument::integer(2), Argument::text("$")});
}

}  // namespace

std::string importPayload(const library::Library& library, const platform::CheckListBox& chosen) {
  std::vector<library::DeclarationName> names;
  for (const navigation::CatalogItem& item : navigation::chosenItems(chosen, navigation::WhenNoneTicked::takeNothing)) {
    names.push_back(navigation::declarationOf(item));
  }
  // The constants that the copy of the same declarations would carry.
  const library::DeclarationCopy copy = library::composeDeclarationCopy(library.texts, &library.constants, names);
  return library::addConstantsSection(library.programImage, copy.constantLines).bytes;
}

void queueChosenDeclarations(WizardRequestBuffer& buffer, const platform::CheckListBox& chosen,
                             const library::Catalog& catalog) {
  // Only what is ticked: the selection is only what is on view, and with nothing ticked
  // the exchange still ends with "a" and "b".
  for (const navigation::CatalogItem& item : navigation::chosenItems(chosen, navigation::WhenNoneTicked::takeNothing)) {
    const library::DeclarationName declaration = navigation::declarationOf(item);
    queueDeclaration(buffer, declaration.kind, declaration.name);
    if (item.kind != library::DeclarationKind::dllCommand) continue;
    // An API brings the data types that its catalog entry names, each as often as named.
    if (const library::CatalogEntry* entry = catalog.entry(item.entryNumber)) {
      for (std::string_view dataType : entry->dataTypeNames) {
        queueDeclaration(buffer, library::DeclarationKind::dataType, gbk::trim(dataType));
      }
    }
  }
  buffer.queueCommandRecord(5, {Argument::text("a")});
  buffer.queueCommandRecord(5, {Argument::text("b")});
}

namespace {

void endWait(window::StartupWindow& w, ImportWait& wait) {
  wait.request.reset();
  w.启动窗口.setTicking(false);
  window::showImportButtonCaption(w, false);
}

// The window and its chosen list stay, and the copy is offered in the import's place.
void tellImportFailed(window::Wizard& wizard) {
  window::showInStatusBar(wizard.window, "导入：", kFailureText);
  platform::MessageAnswer answer =
      wizard.services.messages.show(std::string(kImportFailedMessage) + std::string(kOfferToCopy), "信息：",
                                    platform::MessageIcon::warning, platform::MessageButtons::yesNo);
  if (answer == platform::MessageAnswer::yes) {
    copyChosenDeclarations(wizard);
  }
}

}  // namespace

void importChosenApis(window::Wizard& wizard, WizardRequestBuffer& buffer, ImportWait& wait) {
  if (wait.waiting()) return;
  window::StartupWindow& w = wizard.window;
  queueChosenDeclarations(buffer, w.选择列表框_选用API, wizard.library.catalog);
  wait.request = sendWizardRequest(wizard.services.kernelObjects, buffer, importPayload(wizard.library, w.选择列表框_选用API), false);
  if (!wait.request) {
    tellImportFailed(wizard);
    return;
  }
  window::showInStatusBar(w, "导入：", kWaitingForIdeText);
  window::showImportButtonCaption(w, true);
  w.启动窗口.setTicking(true);
}

void checkImportAnswer(window::Wizard& wizard, ImportWait& wait) {
  if (!wait.waiting()) return;
  switch (wait.request->poll()) {
    case PendingRequest::State::waiting: return;
    case PendingRequest::State::answered:
      // Whatever the IDE replies is its affair.
      endWait(wizard.window, wait);
      wizard.window.启动窗口.close();
      return;
    case PendingRequest::State::unanswerable:
      endWait(wizard.window, wait);
      tellImportFailed(wizard);
      return;
  }
}

void giveUpImport(window::StartupWindow& w, ImportWait& wait) {
  if (!wait.waiting()) return;
  endWait(w, wait);
  window::showInStatusBar(w, "导入：", "已放弃等待易语言集成开发环境答复，选用的API仍在列表中");
}

}  // namespace ide_link
