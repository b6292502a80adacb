// The chosen API list and the buttons that act on the chosen lists.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "library/catalog.h"
#include "library/declaration_copy.h"
#include "base/gbk_text.h"
#include "platform/controls.h"

namespace window {
class StartupWindow;
}

namespace navigation {

// "数据类型：", which begins the text of a data type item (10 bytes).
inline constexpr std::string_view kDataTypeItemPrefix = "数据类型：";

// Every path that gathers an API or a data type first makes page 0 ("选用API数据") of
// `选择夹_选用区` current and runs its page changed handler...
void showChosenApiPage(window::StartupWindow& w);

// ...then adds the item: unless an item with the same text (byte for byte) is there,
// `text` with `entryNumber` lands at its sorted place, unchecked.
void addToChosenApiList(platform::CheckListBox& list, std::string_view text, std::int32_t entryNumber);

// The double-click and Enter paths of the tree, the index and the search, once they
// have shown the chosen API page: adds the API item of catalog entry `entryNumber`.
// No selection (a number not above 0) or a line of fewer than three fields adds nothing.
void addCatalogEntryToChosenApiList(window::StartupWindow& w, const library::Catalog& catalog,
                                    std::int32_t entryNumber);

// The lists of APIs by entry number (the index, the search's API hits): the selected
// entry named in the status bar and its declaration shown, the focus kept in the list;
// and the selected entry gathered.
void showSelectedApi(window::StartupWindow& w, const library::Catalog& catalog, platform::ListBox& list);
void gatherSelectedApi(window::StartupWindow& w, const library::Catalog& catalog, const platform::ListBox& list);

// What a copy of the chosen API list takes: its ticked items in list order, or its
// selected item when none is ticked. An API item names the DLL command of its catalog
// entry, a data type item its data type.
std::vector<library::DeclarationName> declarationsToCopy(const platform::CheckListBox& list,
                                                         const library::Catalog& catalog);

// Handlers (the event table wires them).
// The tick buttons act on the list of the chosen area's page on show.
void 按钮_全部选择_clicked(window::StartupWindow& w);
void 按钮_全部放弃_clicked(window::StartupWindow& w);
// The removing buttons act on the chosen API list.
void 按钮_从选用框删除_clicked(platform::CheckListBox& chosenApis);
void 按钮_清空选用框_clicked(platform::CheckListBox& chosenApis);
void 选择列表框_选用API_itemSelected(window::StartupWindow& w);

}  // namespace navigation
