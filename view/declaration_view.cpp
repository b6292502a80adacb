#include "view/declaration_view.h"

#include "library/type_names.h"
#include "view/constants_table.h"
#include "view/grid_renderer.h"
#include "window/startup_window.h"

namespace view {
namespace {

// The gap between the two grids, as the window's design leaves it.
constexpr int kGapBetweenGrids = 8;
// Row 6 of a DLL command table is the parameter heading row; its column 1 reads "类型"
// there and nowhere in a data type table.
constexpr int kParameterHeadingRow = 6;

// The form area is where the layout puts `高级表格1`; the text form always lies on it
// (the split below narrows the grid only), so it tells the whole area at any time.
platform::Rect formArea(const window::StartupWindow& w) { return w.编辑框_文本形式.rect(); }

// Puts `高级表格2` and its cover in the right half of the form area; the grid stays
// hidden until showBeside.
void placeBeside(window::StartupWindow& w) {
  const platform::Rect area = formArea(w);
  const int gap = w.启动窗口.scale().px(kGapBetweenGrids);
  const int leftWidth = (area.width - gap) / 2;
  const platform::Rect right{area.left + leftWidth + gap, area.top, area.width - leftWidth - gap, area.height};
  w.高级表格2.setRect(right);
  w.画板2.setRect(right);
}

void showBeside(window::StartupWindow& w) {
  const platform::Rect area = formArea(w);
  w.高级表格1.setWidth(w.高级表格2.rect().left - w.启动窗口.scale().px(kGapBetweenGrids) - area.left);
  w.高级表格2.setVisible(true);
}

// Gives `高级表格1` the whole form area back.
void endSplit(window::StartupWindow& w) {
  if (!w.高级表格2.visible()) return;
  w.高级表格2.setVisible(false);
  w.高级表格1.setRect(formArea(w));
}

// The parameter type lookup only works while the category tree's current item is an
// API or data type node (it has a parent).
bool treeHasCurrentChildItem(const window::StartupWindow& w) {
  const int current = w.树型框_API目录.currentItem();
  return current >= 0 && w.树型框_API目录.parentOf(current) >= 0;
}

void showDllCommand(window::StartupWindow& w, const library::Library& library, std::string_view name) {
  // The lists live as long as the showing: nothing else reads them.
  library::LookupLists lists;
  std::optional<library::FoundDllCommand> found = library::lookUpDllCommand(library.texts, name, lists);
  if (!found) return;
  endSplit(w);
  GridRenderer(w.画板1).renderDllCommand(w.高级表格1, found->record);
  gbk::Text text = std::move(found->declarationText);
  for (const gbk::Text& dataType : lists.neededDataTypeTexts) text += "\r\n\r\n" + dataType;
  w.编辑框_文本形式.setText(text);
  showConstantsOf(w, library.constants, text);
  w.declarationOnView = library::DeclarationName{library::DeclarationKind::dllCommand, gbk::Text(name)};
}

void showDataType(window::StartupWindow& w, const library::Library& library, std::string_view name) {
  std::optional<library::FoundDataType> found = library::lookUpDataType(library.texts, name);
  if (!found) return;
  endSplit(w);
  GridRenderer(w.画板1).renderDataType(w.高级表格1, found->record);
  w.编辑框_文本形式.setText(found->declarationText);
  showConstantsOf(w, library.constants, found->declarationText);
  w.declarationOnView = library::DeclarationName{library::DeclarationKind::dataType, gbk::Text(name)};
}

}  // namespace

void showDeclaration(window::StartupWindow& w, const library::Library& library,
                     const library::DeclarationName& declaration) {
  if (declaration.kind == library::DeclarationKind::dataType) {
    showDataType(w, library, declaration.name);
  } else {
    showDllCommand(w, library, declaration.name);
  }
}

void showNothing(window::StartupWindow& w) {
  endSplit(w);
  w.编辑框_文本形式.setText("");
  blankGrid(w.高级表格1);
  showNoConstants(w);
  w.declarationOnView.reset();
}

CoverWhileRefilling::CoverWhileRefilling(window::StartupWindow& w) : CoverWhileRefilling(w.画板1) {}

CoverWhileRefilling::CoverWhileRefilling(platform::DrawingBoard& board) : board_(board) {
  board_.freezePicture();
  board_.setVisible(true);
}

CoverWhileRefilling::~CoverWhileRefilling() { board_.setVisible(false); }

void 单选框_文本形式_clicked(window::StartupWindow& w) {
  endSplit(w);
  w.高级表格1.setVisible(false);
  w.高级表格_常量.setVisible(false);
  w.编辑框_文本形式.setVisible(true);
}

void 单选框_代码形式_clicked(window::StartupWindow& w) {
  w.高级表格1.setVisible(true);
  w.高级表格_常量.setVisible(false);
  w.编辑框_文本形式.setVisible(false);
}

void 单选框_常量形式_clicked(window::StartupWindow& w) {
  endSplit(w);
  w.高级表格1.setVisible(false);
  w.编辑框_文本形式.setVisible(false);
  w.高级表格_常量.setVisible(true);
}

void 高级表格1_cursorCellChanged(window::StartupWindow& w, const library::LibraryTexts& texts) {
  const platform::Grid& table = w.高级表格1;
  const int row = table.cursorRow();
  if (row < 0 || !treeHasCurrentChildItem(w)) return;
  // A data type table in `高级表格1` leaves `高级表格2` as it is.
  if (table.cellText(kParameterHeadingRow, 1) != "类型") return;

  const gbk::Text& type = table.cellText(row, 1);
  if (row > kParameterHeadingRow && !library::isBasicTypeName(type)) {
    // An undeclared type shows an empty record: the headings without members.
    std::optional<library::FoundDataType> found = library::lookUpDataType(texts, type);
    if (!w.高级表格2.visible()) placeBeside(w);
    CoverWhileRefilling cover(w.画板2);
    GridRenderer(w.画板1).renderDataType(w.高级表格2, found ? found->record : library::DataTypeRecord{});
    showBeside(w);
  } else {
    {
      CoverWhileRefilling cover(w.画板2);
      blankGrid(w.高级表格2);
    }
    endSplit(w);
  }
}

}  // namespace view
