// The control base: state, images, colours, cursor, events and painting on top of the
// geometry of PlaceHolder. Widgets derive from it (LabelTemplate<Control>, ...) and extend it
// through the protected hooks below.
//
// Event delivery (HandleMessageTemplate; see event_args.h):
//  CT1. When the control is the event's sender: its handlers for that kind, then its handlers
//      for every kind, in attach order; a handler returning false ends the delivery, built-in
//      handling included.
//  CT2. A handler that destroys the control ends the delivery: the control's weak flag is
//      tested after every handler, and nothing of the control is touched once it expired.
//  CT3. Otherwise the built-in handling (HandleMessage) runs; what it does not consume goes to
//      the parent's HandleMessageTemplate, where the parent's handlers are skipped (CT1 needs
//      the parent to be the sender).
//
// Mouse states (HandleMessage):
//  CT4. Mouse enter, when enabled and normal: hot, hot fade in, repaint. Mouse leave, when
//      enabled and hot: normal, hot fade out, repaint. Both continue to the parent.
//  CT5. Button down or double click, when enabled: pushed, the press is remembered, repaint.
//  CT6. Button up with a remembered press: forget it, stop the fade, repaint; inside the
//      control: hot, hot alpha 255, Activate; outside: normal, hot alpha 0. A control that
//      was disabled meanwhile stays disabled and is not activated.
//  CT7. Set cursor: I-beam for kIBeam, hand for kHand while enabled, else the arrow.
//  CT8. A control whose mouse is disabled passes every mouse event to its parent unhandled.
//
// State changes:
//  CT9. SetVisible: no effect when unchanged; otherwise the flag is stored, the window focus is
//      dropped when this control had it and is now hidden, the parent lays out again when the
//      effective visibility changed, and the hot fade stops when hidden. SetFadeVisible is
//      SetVisible (controls here have no fade animation).
//  CT10. SetEnabled: no effect when unchanged; enabling sets the state to normal and the hot
//      alpha to 0, disabling sets the state to disabled; then repaint.
//  CT11. Activate acts only when the control is visible and enabled; the base does nothing
//      else (a button raises kEventClick).
//
// Painting (Paint, called by the parent with the window's update rectangle):
//  CT12. Nothing is drawn when the update rectangle misses the position, or alpha is 0; the
//      control draws clipped to its position; with alpha below 255 it draws into a layer
//      blended with that alpha.
//  CT13. Order: background colour, background image, state colour, state images (background
//      set, then foreground set), text, border.
//
// What screen readers and the keyboard see (control_role.h):
//  CT14. The role is the skin's "accrole" when given, else the kind's own (DefaultRole). The
//      accessible name is the skin's "accname" when given (pictures drawn as buttons need
//      one), else the kind's visible text.
//  CT15. A change a screen reader follows is told to the window (NotifyAccessible): enabling
//      or disabling raises a state change, a change of effective visibility lets the window
//      re-read its children (window.h, WN11).
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "ui/core/control_role.h"
#include "ui/core/event_args.h"
#include "ui/core/placeholder.h"
#include "ui/core/scaled_attributes.h"
#include "ui/core/state_image.h"

namespace ui {

class HotFade;
class IRenderContext;

enum class CursorType { kArrow, kHand, kIBeam };

inline constexpr int kHotFadeMs = 250;

class Control : public PlaceHolder {
 public:
  Control();
  ~Control() override;

  // The kind name (control_kinds.h); the window host's caption hit-test reads it.
  virtual std::wstring GetType() const;

  // Skin attributes: unknown names are ignored; numbers that do not parse read as 0 and
  // flags as false. Lengths are scaled by the DPI scale here. "class" applies the named
  // class lists at this point.
  virtual void SetAttribute(const std::wstring& name, const std::wstring& value);
  // SetAttribute, remembering an attribute read with the DPI scale (scaled_attributes.h).
  // The skin builder and the class lists apply through here.
  void ApplyAttribute(const std::wstring& name, const std::wstring& value);
  // Reads the remembered attributes again at the current DPI scale. Widgets with lengths of
  // their own (a default height, a text host's font) override and call this.
  virtual void RescaleForDpi();
  // Applies a class list (name="value" pairs separated by one space), stopping at the first
  // pair that does not fit.
  void ApplyAttributeList(const std::wstring& list);
  // Applies each space-separated class name: the global table first, else the window's.
  void SetClass(const std::wstring& class_names);

  void SetPos(RECT rc) override;

  // Visibility and state (CT9-CT11).
  virtual void SetVisible(bool visible);
  void SetFadeVisible(bool visible) { SetVisible(visible); }
  virtual void SetInternVisible(bool visible);
  virtual void SetEnabled(bool enabled);
  bool IsEnabled() const { return enabled_; }
  bool IsMouseEnabled() const { return mouse_enabled_; }
  void SetMouseEnabled(bool enabled) { mouse_enabled_ = enabled; }
  bool IsKeyboardEnabled() const { return keyboard_enabled_; }
  void SetKeyboardEnabled(bool enabled) { keyboard_enabled_ = enabled; }
  bool IsNoFocus() const { return no_focus_; }
  void SetNoFocus(bool no_focus) { no_focus_ = no_focus; }
  ControlState GetState() const { return state_; }
  void SetState(ControlState state);
  int GetHotAlpha() const { return hot_alpha_; }
  void SetHotAlpha(int alpha);
  int GetAlpha() const { return alpha_; }
  void SetAlpha(int alpha);
  virtual bool Activate();
  // Whether Activate would act (CT11).
  bool IsActivatable() const;

  // Whether the kind takes the keyboard focus at all (buttons, edit boxes); the base, boxes
  // and labels do not.
  virtual bool IsTabStop() const { return false; }
  // Keyboard focus: a visible, enabled, keyboard-enabled tab stop without "nofocus".
  bool CanGetFocus() const;
  bool IsFocused() const;
  virtual void SetFocus();
  // A rich edit that takes Tab itself answers true; the window then does not move the focus.
  virtual bool IsWantTab() const { return false; }

  // Colours are names in the global colour table, resolved when painting.
  const std::wstring& GetBkColor() const { return bk_color_; }
  void SetBkColor(const std::wstring& color);
  void SetStateColor(ControlState state, const std::wstring& color);
  // Images are descriptors (file name, or key='value' pairs).
  std::wstring GetBkImage() const { return bk_image_.GetDescriptor(); }
  void SetBkImage(const std::wstring& descriptor);
  void SetStateImage(ControlState state, const std::wstring& descriptor);
  void SetForeStateImage(ControlState state, const std::wstring& descriptor);
  // Drops every decoded image this control holds (they load again when painted).
  virtual void ClearImageCache();

  CursorType GetCursorType() const { return cursor_type_; }
  void SetCursorType(CursorType type) { cursor_type_ = type; }
  const std::wstring& GetDataId() const { return data_id_; }

  // Events (CT1-CT3). Handlers run in attach order.
  void AttachEvent(EventType type, EventCallback callback);
  void AttachAllEvents(EventCallback callback) { AttachEvent(kEventAll, std::move(callback)); }
  void AttachClick(EventCallback callback) { AttachEvent(kEventClick, std::move(callback)); }
  void AttachSelect(EventCallback callback) { AttachEvent(kEventSelect, std::move(callback)); }
  void AttachUnSelect(EventCallback callback) {
    AttachEvent(kEventUnSelect, std::move(callback));
  }
  void HandleMessageTemplate(EventArgs& args);
  // Convenience: an event with this control as sender and the window's mouse position.
  void HandleMessageTemplate(EventType type, WPARAM w_param = 0, LPARAM l_param = 0,
                             wchar_t key = 0);

  // The deepest visible control under |pt| (this one or, for a box, a child); null when the
  // point is outside. A box whose "mousechild" is off answers itself.
  virtual Control* FindControlAt(POINT pt);
  // Calls |visit| for this control and, for a box, every descendant in child order.
  virtual void ForEachControl(const std::function<void(Control*)>& visit);

  // Accessibility (CT14, CT15).
  ControlRole GetRole() const;
  void SetRole(ControlRole role) { role_ = role; }
  virtual std::wstring GetAccessibleName() const;
  void SetAccessibleName(const std::wstring& name);
  // The value a screen reader reads (an edit box's text, a bar's percentage); empty for none.
  virtual std::wstring GetAccessibleValue() const { return std::wstring(); }
  virtual ControlFacts GetFacts() const;
  // Raises |event| (EVENT_OBJECT_*) for this control through its window.
  void NotifyAccessible(DWORD event);

  // Painting (CT12, CT13).
  void Paint(IRenderContext* render, const RECT& update_rect);
  bool HasHotAnimation() const { return hot_fade_ != nullptr; }

 protected:
  // Built-in handling (CT3-CT8). Overrides handle their events and call this for the rest.
  virtual void HandleMessage(EventArgs& args);
  // Passes |args| to the parent's delivery, if there is a parent.
  void BubbleToParent(EventArgs& args);

  // The kind's role and visible text when the skin names neither (CT14).
  virtual ControlRole DefaultRole() const { return ControlRole::kNone; }
  virtual std::wstring VisibleText() const { return std::wstring(); }

  // Text size a widget wants (Label answers its measured text; the base has none).
  virtual SIZE EstimateText(SIZE available);
  SIZE CalcEstimateSize(SIZE fixed, SIZE available) override;

  virtual void PaintBkColor(IRenderContext* render);
  virtual void PaintBkImage(IRenderContext* render);
  virtual void PaintStatusColor(IRenderContext* render);
  virtual void PaintStatusImage(IRenderContext* render);
  virtual void PaintText(IRenderContext* render);
  virtual void PaintBorder(IRenderContext* render);
  // Boxes paint their children here, after the control's own layers.
  virtual void PaintChildren(IRenderContext* render, const RECT& update_rect);
  // Draws |image| into the position (or the descriptor's dest). |modify| is a list of extra
  // key='value' pairs applied to a copy (e.g. a progress bar's dest); |fade| replaces the
  // descriptor's fade when not kFadeKeep. False when nothing was drawn.
  bool DrawImage(IRenderContext* render, Image& image, const std::wstring& modify = L"",
                 int fade = kFadeKeep);
  // The part of the position being painted now (valid inside the Paint* hooks).
  const RECT& GetPaintRect() const { return paint_rect_; }
  // Fills the position with the ARGB value of colour |name| at |alpha|; false for no colour.
  bool FillWithColor(IRenderContext* render, const std::wstring& name, int alpha = 255);

  StateImageMap& GetStateImageMap() { return images_; }
  const StateColorMap& GetStateColorMap() const { return colors_; }
  // Whether the hot state has an image, which gives the control the hot fade.
  void UpdateHotFade();

 private:
  // Stops the hot fade and drops the focus of a control that just became invisible.
  void OnHidden();
  bool RunHandlers(EventType key, EventArgs& args, const std::weak_ptr<corekit::WeakFlag>& me);
  void OnMouseEnterLeave(bool enter);
  void OnButtonUp(const EventArgs& args);
  void OnSetCursor();
  // SetAttribute's groups; each answers whether it knew the name.
  bool SetGeometryAttribute(const std::wstring& name, const std::wstring& value);
  bool SetStateAttribute(const std::wstring& name, const std::wstring& value);
  bool SetPaintAttribute(const std::wstring& name, const std::wstring& value);

  ControlState state_ = kControlStateNormal;
  int hot_alpha_ = 0;
  int alpha_ = 255;
  bool enabled_ = true;
  bool mouse_enabled_ = true;
  bool keyboard_enabled_ = true;
  bool no_focus_ = false;
  bool mouse_pressed_ = false;

  std::wstring bk_color_;
  Image bk_image_;
  StateImageMap images_;
  StateColorMap colors_;
  CursorType cursor_type_ = CursorType::kArrow;
  std::wstring border_color_;
  RECT border_size_ = {0, 0, 0, 0};
  std::wstring data_id_;
  std::optional<ControlRole> role_;
  std::wstring accessible_name_;

  EventMap events_;
  ScaledAttributes scaled_attributes_;
  std::unique_ptr<HotFade> hot_fade_;
  RECT paint_rect_ = {0, 0, 0, 0};
};

}  // namespace ui
