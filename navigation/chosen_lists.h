// The chosen API list and the buttons that act on the chosen lists.
#pragma once

#include <cstdint>
#include <vector>

#include "library/library.h"
#include "navigation/catalog_item.h"
#include "platform/controls.h"

namespace window {
class StartupWindow;
}

namespace navigation {

// Every path that gathers an API or a data type first makes page 0 ("选用API数据") of
// `选择夹_选用区` current and runs its page changed handler...
void showChosenApiPage(window::StartupWindow& w);

// ...then adds the item: unless an item with the same text (byte for byte) is there, it
// lands at its sorted place under its text, unchecked, its entry number as item data. An
// item whose entry number names no catalog entry adds nothing. The item's position; -1
// when nothing was added.
int addToChosenApiList(platform::CheckListBox& list, const library::Catalog& catalog, CatalogItem item);

// The item of the chosen API list at `pos`; null outside the list.
const CatalogItem* chosenItemAt(const platform::CheckListBox& list, int pos);

// What the user chose in the chosen API list, in list order: the ticked items; when none
// is ticked, the selected item or nothing, as the caller says.
enum class WhenNoneTicked { takeNothing, takeSelected };
std::vector<CatalogItem> chosenItems(const platform::CheckListBox& list, WhenNoneTicked whenNoneTicked);

// The double-click and Enter paths of the index and the search, once they have shown
// the chosen API page: adds the API of catalog entry `entryNumber`.
// No selection (a number not above 0) or a line that is no entry adds nothing.
void addCatalogEntryToChosenApiList(window::StartupWindow& w, const library::Catalog& catalog,
                                    std::int32_t entryNumber);

// The lists of APIs by entry number (the index, the search's API hits): the selected
// entry named in the status bar and its declaration shown, the focus kept in the list;
// and the selected entry gathered.
void showSelectedApi(window::StartupWindow& w, const library::Library& library, platform::ListBox& list);
void gatherSelectedApi(window::StartupWindow& w, const library::Catalog& catalog, const platform::ListBox& list);

// Handlers (the event table wires them).
// The tick buttons act on the list of the chosen area's page on show.
void 按钮_全部选择_clicked(window::StartupWindow& w);
void 按钮_全部放弃_clicked(window::StartupWindow& w);
// The removing buttons act on the chosen API list.
void 按钮_从选用框删除_clicked(platform::CheckListBox& chosenApis);
void 按钮_清空选用框_clicked(platform::CheckListBox& chosenApis);
void 选择列表框_选用API_itemSelected(window::StartupWindow& w, const library::Library& library);

}  // namespace navigation
