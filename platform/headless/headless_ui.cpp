#include "platform/headless/headless_ui.h"

#include "base/gbk_text.h"
#include "platform/grid.h"
#include "platform/tree_box.h"

namespace platform::headless {

// One peer serves every control kind: it records what the model asks it to show.
class HeadlessUi::Peer : public WindowPeer,
                         public TabPeer,
                         public RadioPeer,
                         public ListPeer,
                         public StatusPeer,
                         public DrawingBoardPeer,
                         public TreePeer,
                         public GridPeer {
 public:
  Peer(HeadlessUi& ui, const Control& control, bool shown) : ui_(ui), control_(control), shown_(shown) {}

  void showRect(const Rect&) override {}
  void showVisible(bool shown) override { shown_ = shown; }
  void showEnabled(bool) override {}
  void showText(std::string_view) override {}
  void takeFocus() override { ui_.focused_ = &control_; }
  bool hasFocus() const override { return ui_.focused_ == &control_; }

  void destroy() override { destroyed_ = true; }
  void tickEvery(int) override {}
  void showPage(int) override {}
  void showChecked(bool) override {}
  void itemInserted(int) override {}
  void itemErased(int) override {}
  void itemsCleared() override {}
  void itemsReplaced() override {}
  void showSelection(int) override {}
  void showItemChecked(int) override {}
  void showParts() override {}
  void showPartText(std::size_t) override {}
  void showPartWidths() override {}

  void useDefaultGuiFont(int points) override { fontPoints_ = points; }
  // A fixed metric, the same on every machine: 7 pixels a single-byte character and 14
  // a double-byte one, 17 pixels high (close to the default GUI font at 10 points), at
  // 96 pixels per inch.
  Size measureText(std::string_view text) const override {
    int width = 0;
    for (std::size_t pos = 0; pos < text.size();) {
      std::size_t len = gbk::charLength(text, pos);
      width += ui_.scale_.px(len == 2 ? 14 : 7);
      pos += len;
    }
    return {width, ui_.scale_.px(17)};
  }
  void freezePicture() override {}

  void showTable() override {
    ++tableShows_;
    if (!ui_.coveredByBoard(control_)) ++uncoveredTableShows_;
  }

  void contentReplaced() override {}
  void showCurrent(int) override {}
  void showExpanded(int, bool) override {}
  void showImages(int) override {}
  void scrollIntoView(int pos) override { scrolledTo_ = pos; }
  int scrolledTo() const { return scrolledTo_; }

  bool shown() const { return shown_; }
  bool destroyed() const { return destroyed_; }
  int fontPoints() const { return fontPoints_; }
  int tableShows() const { return tableShows_; }
  int uncoveredTableShows() const { return uncoveredTableShows_; }

 private:
  HeadlessUi& ui_;
  const Control& control_;
  bool shown_;
  bool destroyed_ = false;
  int fontPoints_ = 0;
  int tableShows_ = 0;
  int uncoveredTableShows_ = 0;
  int scrolledTo_ = -1;
};

HeadlessUi::HeadlessUi(Scale scale) : scale_(scale) {}
HeadlessUi::~HeadlessUi() = default;

void HeadlessUi::realize(Control& control, const ControlDesign&, int) {
  auto peer = std::make_unique<Peer>(*this, control, control.isShown());
  control.attach(peer.get());
  peers_[&control] = std::move(peer);
}

int HeadlessUi::run(Window& window) {
  Rect outer = window.rect();
  window.userResized({outer.width - scale_.px(kFrame.width), outer.height - scale_.px(kFrame.height)});
  window.userCreated();
  window.firstPainted();
  return 0;
}

bool HeadlessUi::shownOnScreen(const Control& control) const {
  auto it = peers_.find(&control);
  if (it == peers_.end() || !it->second->shown()) return false;
  return !control.parent() || shownOnScreen(*control.parent());
}

bool HeadlessUi::destroyed(const Window& window) const {
  auto it = peers_.find(&window);
  return it != peers_.end() && it->second->destroyed();
}

int HeadlessUi::boardFontPoints(const Control& board) const {
  auto it = peers_.find(&board);
  return it == peers_.end() ? 0 : it->second->fontPoints();
}

int HeadlessUi::tableShows(const Control& grid) const {
  auto it = peers_.find(&grid);
  return it == peers_.end() ? 0 : it->second->tableShows();
}

int HeadlessUi::uncoveredTableShows(const Control& grid) const {
  auto it = peers_.find(&grid);
  return it == peers_.end() ? 0 : it->second->uncoveredTableShows();
}

bool HeadlessUi::coveredByBoard(const Control& control) const {
  for (const auto& [other, peer] : peers_) {
    // The cast last: a grid's every cell asks, and few controls share its place.
    if (other->parent() == control.parent() && other->rect() == control.rect() &&
        dynamic_cast<const DrawingBoard*>(other) && shownOnScreen(*other)) {
      return true;
    }
  }
  return false;
}

int HeadlessUi::treeScrolledTo(const Control& tree) const {
  auto it = peers_.find(&tree);
  return it == peers_.end() ? -1 : it->second->scrolledTo();
}

}  // namespace platform::headless
