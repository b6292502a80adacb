#include "app/keeping.h"

#include <string>

#include "navigation/catalog_item.h"
#include "navigation/chosen_lists.h"
#include "view/declaration_view.h"

namespace app {
namespace {

constexpr std::u16string_view kKeptFile = u"\\state.txt";
constexpr std::u16string_view kNewKeptFile = u"\\state.new";

platform::Path inFolder(const platform::Path& folder, std::u16string_view name) {
  return platform::Path(folder.units() + std::u16string(name));
}

bool inside(const platform::Rect& place, const platform::Rect& area) {
  return place.left >= area.left && place.top >= area.top && place.left + place.width <= area.left + area.width &&
         place.top + place.height <= area.top + area.height;
}

}  // namespace

KeptAtStart readKeptState(const window::Services& services) {
  const platform::Path folder = services.shell.keptStateFolder();
  if (folder.empty()) return {};
  platform::Read read = services.files.readAtMost(inFolder(folder, kKeptFile), window::kLargestKeptFile);
  if (read.fault == platform::HoldFault::missing) return {};
  std::optional<window::KeptState> state;
  if (read.fault == platform::HoldFault::none) state = window::readKeptState(read.bytes);
  if (!state) return {{}, "上次保存的选择无法读取，已忽略"};
  return {std::move(*state), {}};
}

void restorePlaceAndLanguages(window::StartupWindow& w, platform::Ui& ui, const window::KeptState& kept) {
  if (const auto& place = kept.windowPlace) {
    const platform::Size least = w.启动窗口.minimumClientSize();
    if (place->width >= least.width && place->height >= least.height && inside(*place, ui.workArea(*place))) {
      w.启动窗口.setRect(*place);
    }
  }
  (kept.englishTree ? w.单选框_英文树形框 : w.单选框_中文树形框).setChecked(true);
  (kept.englishIndex ? w.单选框_英文索引 : w.单选框_中文索引).setChecked(true);
  w.组合框_搜索API显示.setCurrentSelection(kept.englishSearch ? 1 : 0);
}

void restoreChoices(window::StartupWindow& w, const library::Library& library, KeptAtStart& kept) {
  const library::Catalog& catalog = library.catalog;
  const window::KeptState& state = kept.state;
  if (state.chosen.empty() && !state.onView) return;
  const navigation::CatalogItemFinder finder(catalog);
  std::size_t dropped = 0;
  for (const window::KeptItem& chosen : state.chosen) {
    std::optional<navigation::CatalogItem> item = finder.find(chosen.kind, chosen.name);
    const int pos = item ? navigation::addToChosenApiList(w.选择列表框_选用API, catalog, std::move(*item)) : -1;
    if (pos >= 0) {
      w.选择列表框_选用API.setChecked(pos, chosen.ticked);
    } else if (!item) {
      ++dropped;
    }
  }
  if (state.onView) {
    if (std::optional<navigation::CatalogItem> item = finder.find(state.onView->kind, state.onView->name)) {
      const library::CatalogEntry* entry = catalog.entry(item->entryNumber);
      const bool dataType = item->kind == library::DeclarationKind::dataType;
      window::showInStatusBar(w, dataType ? "数据类型：" : "API：", dataType ? item->name : entry->englishName);
      view::CoverWhileRefilling cover(w);
      view::showDeclaration(w, library, navigation::declarationOf(*item));
    } else {
      ++dropped;
    }
  }
  if (dropped > 0) kept.note = "上次保存的 " + std::to_string(dropped) + " 项不在库中，已略去";
}

void keepState(window::Wizard& wizard) {
  window::StartupWindow& w = wizard.window;
  window::KeptState state;
  state.windowPlace = w.启动窗口.rect();
  state.englishTree = w.单选框_英文树形框.checked();
  state.englishIndex = w.单选框_英文索引.checked();
  state.englishSearch = w.组合框_搜索API显示.currentSelection() == 1;
  if (const auto& onView = w.declarationOnView) state.onView = window::KeptItem{onView->kind, onView->name};
  const platform::CheckListBox& list = w.选择列表框_选用API;
  for (int pos = 0; pos < list.count(); ++pos) {
    if (const navigation::CatalogItem* item = navigation::chosenItemAt(list, pos)) {
      state.chosen.push_back({item->kind, item->name, list.checked(pos)});
    }
  }

  platform::Files& files = wizard.services.files;
  const platform::Path folder = wizard.services.shell.keptStateFolder();
  if (folder.empty()) return;
  const platform::Path newFile = inFolder(folder, kNewKeptFile);
  // A new file left by a run that ended halfway is no one's.
  files.remove(newFile);
  if (!files.createNew(newFile, window::writeKeptState(state)) ||
      !files.rename(newFile, inFolder(folder, kKeptFile), true)) {
    files.remove(newFile);
  }
}

}  // namespace app
