// The common part of every control: geometry, visibility, enabled state, text, focus.
//
// A control object is the model: it owns the state, and the wizard's code reads and
// writes it directly. A peer mirrors it on a screen (the Win32 side) or records it
// for tests (the headless side); the peer reports the user's actions back through
// the model's `user…` methods, which update the state and raise the event.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "base/gbk_text.h"
#include "platform/geometry.h"

namespace platform {

class TabControl;

class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual void showRect(const Rect& rect) = 0;
  virtual void showVisible(bool shown) = 0;
  virtual void showEnabled(bool enabled) = 0;
  virtual void showText(std::string_view text) = 0;
  virtual void takeFocus() = 0;
  virtual bool hasFocus() const = 0;
};

class Control {
 public:
  explicit Control(std::string name) : name_(std::move(name)) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }

  // Geometry relative to the parent's client area (the page's tab control for controls on a page).
  Rect rect() const { return rect_; }
  void setRect(const Rect& rect);
  void setWidth(int width) { setRect({rect_.left, rect_.top, width, rect_.height}); }
  void setHeight(int height) { setRect({rect_.left, rect_.top, rect_.width, height}); }
  void setLeft(int left) { setRect({left, rect_.top, rect_.width, rect_.height}); }
  void setTop(int top) { setRect({rect_.left, top, rect_.width, rect_.height}); }

  // The control's own visible property; isShown() also asks its page and its parent.
  bool visible() const { return visible_; }
  void setVisible(bool visible);
  bool isShown() const;

  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);

  // Caption or content, GBK.
  const gbk::Text& text() const { return text_; }
  void setText(std::string_view text);

  void setFocus();
  bool hasFocus() const { return peer_ && peer_->hasFocus(); }

  Control* parent() const { return parent_; }
  int page() const { return page_; }
  void placeIn(Control* parent, int page) { parent_ = parent, page_ = page; }

  // The native side attaches itself once, after the control has its initial state.
  void attach(ControlPeer* peer) { peer_ = peer; }
  // Tells the peer whether the control is to be seen: its own flag and its page.
  void refreshShown();

  // The user changed the text (typing): no echo to the peer.
  void userChangedText(std::string_view text);
  // The native side placed itself (a status bar along the window's edge).
  void nativePlaced(const Rect& rect) { rect_ = rect; }

 protected:
  ControlPeer* peer() const { return peer_; }
  template <typename Peer>
  Peer* peerAs() const {
    return dynamic_cast<Peer*>(peer_);
  }

 private:
  bool isShownOnItsPage() const;

  std::string name_;
  Rect rect_;
  bool visible_ = true;
  bool enabled_ = true;
  gbk::Text text_;
  Control* parent_ = nullptr;
  int page_ = -1;  // page of a tab control parent, -1 elsewhere
  ControlPeer* peer_ = nullptr;
};

}  // namespace platform
