// The native window wrapper that hosts a control tree: it owns the tree, turns Win32 input
// into control events and paints the tree double-buffered into its render context.
//
// Creation and life:
//  WN1. Create registers the window class (GetWindowClassName, GetClassStyle, the arrow
//      cursor, no icon, no background brush; a class registered already is accepted; any
//      other registration failure makes Create return null), creates the window (never
//      layered: this host presents by copying from its back buffer), keeps the object pointer
//      from WM_NCCREATE in the window's user data, and removes WS_CAPTION bits it has.
//  WN2. After WM_NCDESTROY has had its default handling the object forgets its handle and
//      OnFinalMessage runs; the object may delete itself there (WindowImplBase does).
//  WN3. The window owns its root box from AttachDialog until the tree is released
//      (ReleaseTree, or the destructor). A replaced root is deleted later, at the posted
//      message kDelayedCleanupMessage, so a handler of the old tree may replace it.
//  WN4. Controls tell the window when they are destroyed (ReapObjects): focus, hot, captured
//      and key-down pointers and name-table entries to them are dropped at once.
//
// Input (all on the thread that created the window):
//  WN5. Mouse move: TrackMouseEvent for hover and leave; the hot control changes (leave for
//      the old one, enter for the new one); the move goes to the captured control, else to
//      the hot one. Button down (left, right, double click): the window takes the focus,
//      the control under the point is captured (SetCapture) and gets the event. Button up:
//      ReleaseCapture, the captured control gets it and capture is cleared. Mouse leave
//      clears the hot control; kill focus releases a capture with a button up.
//  WN6. Tab moves the focus to the next focusable control (Shift: the previous one), wrapping
//      around, unless the focused control wants tabs; hidden, disabled and "nofocus"
//      controls are passed over. Other keys go to the focused control as
//      key down; key up and char go to the control that got the key down / the focus.
//  WN7. WM_SETCURSOR over the client without a capture gives the control under the cursor
//      kEventSetCursor; without one the arrow is set.
//  WN8. WM_CLOSE: the hot control gets mouse leave, a captured one button up, the focus is
//      cleared and the owner takes the keyboard focus; the default handling then destroys
//      the window.
//
// Painting:
//  WN9. WM_PAINT: minimised or without a root only validates. When a layout is needed and
//      the root is auto-sized, the root is estimated again and the window resized. With
//      nothing to update and no first paint pending it returns. Otherwise: a needed layout
//      sets the root's position to the client rectangle; the first paint runs OnInitLayout;
//      the render context takes the client size (a new size repaints everything); the root
//      paints clipped to the update rectangle, then the focus mark (WN10); the update
//      rectangle is copied to the window.
//
// Keyboard focus and screen readers:
//  WN10. Once a key has been pressed in the window, the control with the keyboard focus shows
//      the focus mark (focus_mark.h); before that, after mouse use only, it shows none.
//  WN11. Once the current message is done, screen readers are told when the visible controls
//      changed. A box that became visible is a page switch: when the keyboard focus is not on
//      a visible control it moves to the first control of the new page that can take it; a
//      page without one puts the screen reader on its first readable control instead.
//  WN12. Moving the keyboard focus raises EVENT_OBJECT_FOCUS; controls raise their own state,
//      value and name changes (control.h, CT15). Events name the control by its child id
//      among the visible readable controls (window_accessible.h); hidden controls raise none.
//  WN13. WM_GETOBJECT for OBJID_CLIENT is answered with the window's accessible object, made
//      on the first request once oleacc.dll could be loaded; without it the message gets the
//      default handling. The object is cut off when the window is destroyed.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "corekit/weak_callback.h"
#include "ui/core/event_args.h"
#include "ui/core/scaled_attributes.h"
#include "ui/core/window_accessible.h"
#include "ui/markup/class_table.h"

namespace ui {

class Box;
class Control;
class IRenderContext;

// The message that deletes controls queued for delayed deletion.
inline constexpr UINT kDelayedCleanupMessage = WM_APP + 1;
// The message that tells screen readers of a page switch (WN11).
inline constexpr UINT kPageSwitchMessage = WM_APP + 2;
// The message that runs a default action a screen reader asked for (window_accessible.h).
inline constexpr UINT kDefaultActionMessage = WM_APP + 3;
// How long Close lets the root fade before WM_CLOSE is posted.
inline constexpr int kCloseDelayMs = 300;
// Estimating an auto-sized root gets this much room.
inline constexpr int kAutoRootAvailable = 99999;
// The hover time before a tooltip exists.
inline constexpr DWORD kDefaultHoverMs = 400;

// Claims messages before the window handles them; answering with |handled| true ends the
// message there with the returned result.
class IUIMessageFilter {
 public:
  virtual ~IUIMessageFilter() = default;
  virtual LRESULT MessageHandler(UINT msg, WPARAM w_param, LPARAM l_param, bool& handled) = 0;
};

class Window : public corekit::SupportWeakCallback {
 public:
  Window();
  ~Window() override;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND GetHWND() const { return hwnd_; }

  // WN1. |rc| empty means CW_USEDEFAULT position and the skin's size.
  virtual HWND Create(HWND parent, const wchar_t* title, DWORD style, DWORD ex_style,
                      const RECT& rc = RECT{0, 0, 0, 0});
  // Fades the root out and posts WM_CLOSE with |result| as wParam kCloseDelayMs later (at
  // once without a root or without a message loop on this thread).
  virtual void Close(UINT result = IDOK);
  // SW_SHOWNORMAL / SW_SHOWNOACTIVATE / SW_HIDE; nothing once the window is gone.
  virtual void ShowWindow(bool show = true, bool take_focus = true);
  // Centres over the owner, or over the work area of the nearest monitor, kept inside it.
  void CenterWindow();
  // The initial size from the skin, scaled when asked; resizes the window while no root is
  // attached.
  void SetInitSize(int width, int height, bool dpi_scale);
  SIZE GetInitSize() const { return init_size_; }
  // Large and small icons from the resource |id| of the process's module.
  void SetIcon(UINT id);
  void ActiveWindow();
  void SetTaskbarTitle(const std::wstring& title);

  // The class procedure's target; the default handling of every message the window knows.
  virtual LRESULT HandleMessage(UINT msg, WPARAM w_param, LPARAM l_param);
  LRESULT CallDefaultProc(UINT msg, WPARAM w_param, LPARAM l_param);

  // Control tree (WN3, WN4).
  // False (and |root| destroyed) for null or a control that is not a box.
  bool AttachDialog(std::unique_ptr<Control> root);
  Box* GetRoot() const { return root_.get(); }
  // Registers |control| (a whole subtree) in the name table and attaches it to this window.
  void InitControls(Control* control, Box* parent);
  // Exact name; for duplicates the one registered last.
  Control* FindControl(const std::wstring& name) const;
  // The control under a client point (floating children first); null outside the root.
  Control* FindControl(POINT pt) const;
  void ReapObjects(Control* control);
  void AddDelayedCleanup(std::unique_ptr<Control> control);
  // Clears focus and capture and destroys the tree.
  void ReleaseTree();

  // Focus, hot and capture.
  Control* GetFocus() const { return focus_; }
  void SetFocus(Control* control);
  Control* GetHotControl() const { return hot_; }
  Control* GetCapturedControl() const { return captured_; }
  // Moves the toolkit's focus without taking the system's keyboard focus for the window.
  void MoveFocus(Control* control);
  // WN6; false when no control can take the focus.
  bool SetNextTabControl(bool forward = true);
  // Whether a key-down of |virtual_key| activates the focused control itself (control_role.h).
  bool FocusTakesKey(UINT virtual_key) const;
  // WN10.
  bool AreFocusCuesShown() const { return focus_cues_; }
  POINT GetLastMousePos() const { return last_mouse_pos_; }

  // Screen readers (WN11-WN13).
  void OnControlVisibilityChanged(Control* control);
  void NotifyAccessibleEvent(Control* control, DWORD event);
  // The visible controls that have a role, in tree order: child ids 1..n.
  std::vector<Control*> GetAccessibleChildren() const;
  // The keyboard focus, else the control a page switch put the screen reader on.
  Control* GetAccessibleFocus() const;
  // Activates |control| once the current message is done.
  void DoDefaultActionLater(Control* control);

  // Delivers |type| with |control| as sender, the last mouse position and the tick count.
  void SendNotify(Control* control, EventType type, WPARAM w_param = 0, LPARAM l_param = 0);

  // Painting.
  void Invalidate(const RECT& rc);
  void RequestLayout();
  bool IsLayoutNeeded() const { return layout_needed_; }
  IRenderContext* GetRenderContext() const { return render_.get(); }
  // The first paint's hook, after the first layout.
  virtual void OnInitLayout();
  // The root's estimate in kAutoRootAvailable x kAutoRootAvailable for its auto dimensions,
  // clamped to its minimum and maximum; |current| for the others (and without a root).
  SIZE AutoRootSize(SIZE current);

  // Pre-message filters (not for WM_MOUSEMOVE).
  void AddMessageFilter(IUIMessageFilter* filter);
  void RemoveMessageFilter(IUIMessageFilter* filter);

  // Skin folder of this window ("frame\"), kept with a trailing backslash.
  const std::wstring& GetResourcePath() const { return resource_path_; }
  void SetResourcePath(const std::wstring& path);
  // The window's own class table, filled from the skin file's Class elements.
  ClassTable& GetClassTable() { return classes_; }
  const ClassTable& GetClassTable() const { return classes_; }

  // A Window element attribute of the skin file ("size", "caption", ...); unknown ignored.
  void SetWindowAttribute(const std::wstring& name, const std::wstring& value);
  // SetWindowAttribute, remembering an attribute read with the DPI scale; the skin builder
  // applies through here.
  void ApplyWindowAttribute(const std::wstring& name, const std::wstring& value);
  // WN10. After the DPI scale changed: the window's remembered attributes, the skin's fonts
  // and every control's remembered attributes are read again at the new scale, the tree is
  // laid out again and the whole window repaints. The window's size is the caller's.
  void RescaleForDpi();
  const RECT& GetSizeBox() const { return size_box_; }
  const RECT& GetCaptionRect() const { return caption_rect_; }
  SIZE GetRoundCorner() const { return round_corner_; }
  SIZE GetMinInfo() const { return min_info_; }
  SIZE GetMaxInfo() const { return max_info_; }

 protected:
  // Class information for Create (WN1).
  virtual std::wstring GetWindowClassName() const;
  virtual UINT GetClassStyle() const { return CS_DBLCLKS; }
  // Runs after WM_NCDESTROY (WN2).
  virtual void OnFinalMessage(HWND hwnd);
  // Makes the render context through the global renderer (the OnCreate step).
  void InitWnd();
  // True while Create's CreateWindowExW runs: a final message then belongs to a creation
  // that failed, and the object still belongs to Create's caller.
  bool IsInCreate() const { return in_create_; }

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM w_param, LPARAM l_param);
  bool RegisterWindowClass();
  // Window's own handling of one message; false when it leaves the message unhandled.
  bool HandleOwnMessage(UINT msg, WPARAM w_param, LPARAM l_param, LRESULT* result);
  bool HandleMouseMessage(UINT msg, WPARAM w_param, LPARAM l_param);
  bool HandleKeyMessage(UINT msg, WPARAM w_param, LPARAM l_param);
  void OnMouseMove(POINT pt);
  void OnButtonDown(EventType type, POINT pt);
  void OnButtonUp(EventType type, POINT pt);
  void OnMouseLeaveWindow();
  bool OnSetCursor(WPARAM w_param, LPARAM l_param);
  void OnPaint();
  void OnCloseMessage();
  void OnSizeMessage();
  void ResizeToAutoRoot();
  void SetHot(Control* control);
  void ReleaseCaptured(POINT pt);
  void SendEvent(Control* control, EventType type, POINT pt, WPARAM w_param = 0,
                 LPARAM l_param = 0, wchar_t key = 0);
  void ShowFocusCues();
  void InvalidateFocusMark(const Control* control);
  void PaintFocusMark();
  bool HandleAccessibilityMessage(UINT msg, WPARAM w_param, LPARAM l_param, LRESULT* result);
  void OnPageSwitch();
  void RunDefaultAction();

  HWND hwnd_ = nullptr;
  bool in_create_ = false;
  std::unique_ptr<IRenderContext> render_;
  std::unique_ptr<Box> root_;
  std::map<std::wstring, Control*> names_;
  std::vector<std::unique_ptr<Control>> delayed_cleanup_;

  Control* focus_ = nullptr;
  Control* hot_ = nullptr;
  Control* captured_ = nullptr;
  Control* key_target_ = nullptr;
  POINT last_mouse_pos_ = {-1, -1};
  bool mouse_tracking_ = false;
  bool focus_cues_ = false;

  Control* shown_page_ = nullptr;  // a page switch waiting for kPageSwitchMessage
  bool page_switch_posted_ = false;
  Control* page_focus_ = nullptr;  // where a page without focusable controls put readers
  std::vector<std::pair<std::weak_ptr<corekit::WeakFlag>, Control*>> default_actions_;
  std::unique_ptr<AccessibleHost> accessible_;

  std::wstring resource_path_;
  ClassTable classes_;

  SIZE init_size_ = {0, 0};
  RECT size_box_ = {0, 0, 0, 0};
  RECT caption_rect_ = {0, 0, 0, 0};
  ScaledAttributes scaled_attributes_;
  SIZE round_corner_ = {0, 0};
  SIZE min_info_ = {0, 0};
  SIZE max_info_ = {0, 0};

  bool layout_needed_ = true;
  bool first_paint_ = true;
  std::vector<IUIMessageFilter*> filters_;
};

}  // namespace ui
