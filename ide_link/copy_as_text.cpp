#include "ide_link/copy_as_text.h"

#include <string>
#include <vector>

#include "library/declaration_copy.h"
#include "navigation/chosen_lists.h"
#include "window/wizard.h"

namespace ide_link {
namespace {

constexpr std::string_view kClipboardBusyMessage = "剪贴板正被其他程序占用，没有复制。请稍后再试。";
constexpr std::string_view kClipboardFailedMessage = "无法写入剪贴板，没有复制。";

// "2 个DLL命令、1 个数据类型、3 个常量", leaving out the kinds of which there are none.
std::string whatWasCopied(const library::DeclarationCopy& copy) {
  std::string counts;
  for (auto [count, kind] : {std::pair{copy.dllCommands, "个DLL命令"}, std::pair{copy.dataTypes, "个数据类型"},
                             std::pair{static_cast<int>(copy.constantLines.size()), "个常量"}}) {
    if (count == 0) continue;
    if (!counts.empty()) counts += "、";
    counts += std::to_string(count) + " " + kind;
  }
  return counts;
}

}  // namespace

bool copyChosenDeclarations(window::Wizard& wizard) {
  window::StartupWindow& w = wizard.window;
  std::vector<library::DeclarationName> chosen;
  for (const navigation::CatalogItem& item :
       navigation::chosenItems(w.选择列表框_选用API, navigation::WhenNoneTicked::takeSelected)) {
    chosen.push_back(navigation::declarationOf(item));
  }
  library::DeclarationCopy copy =
      library::composeDeclarationCopy(wizard.library.texts, &wizard.library.constants, chosen);
  if (copy.dllCommands + copy.dataTypes == 0) {
    window::showInStatusBar(w, "复制：", "没有打勾或选中的声明，没有复制");
    return false;
  }
  platform::ClipboardResult result = wizard.services.clipboard.putText(copy.text);
  if (result != platform::ClipboardResult::copied) {
    wizard.services.messages.show(
        result == platform::ClipboardResult::busy ? kClipboardBusyMessage : kClipboardFailedMessage, "信息：",
        platform::MessageIcon::warning, platform::MessageButtons::ok);
    return false;
  }
  window::showInStatusBar(w, "已复制：", whatWasCopied(copy) + "，可粘贴到易语言程序中");
  return true;
}

}  // namespace ide_link
