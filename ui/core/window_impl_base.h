// What every skinned top-level window shares: its control tree built from its skin file,
// caption dragging, non-client hit-testing, the standard system buttons found by name, and
// minimum/maximum size, round corners and DPI changes.
//
// Creation:
//  WB0. Create first hands the backgrounds the skin file shows at once to the image cache's
//      prefetch worker (skin_prefetch.h), so they decode while the native window is made,
//      then creates the window (window.h WN1).
// WM_CREATE (OnCreate), in this order:
//  WB1. The style is replaced by GetStyle (WS_CAPTION removed); the device context and the
//      render context are taken; the resource path becomes GetSkinFolder + "\".
//  WB2. The skin file (resource path + GetSkinFile) is built with CreateControl as the
//      factory for unknown elements; its Window element configures this window. No root:
//      the message "Failed to load xml file %s" (kSkinLoadFailedFormat) is shown in an
//      ownerless error box and WM_CREATE answers -1, so creation fails.
//  WB3. The tree is attached, then InitWindow runs, then an auto-sized root is estimated in
//      99,999 x 99,999, clamped to its minimum and maximum, and the window is moved to (0,0)
//      with that size.
//  WB4. "closebtn", "minbtn", "maxbtn" and "restorebtn" get a click handler (a weak callback
//      to OnButtonClick) when they exist.
// Messages:
//  WB5. WM_NCCALCSIZE, WM_NCPAINT and WM_NCLBUTTONDBLCLK answer 0 (no system frame, no
//      maximise by double click). WM_NCACTIVATE is left alone when minimised, else answers
//      TRUE only for wParam FALSE.
//  WB6. WM_NCHITTEST: caption_hit_test.h, with the window's size box and caption.
//  WB7. WM_GETMINMAXINFO: maximised to the monitor's work area; "mininfo" / "maxinfo"
//      components that are not 0 give the minimum / maximum track size.
//  WB8. WM_SIZE (not minimised) with a round-corner size sets the round region.
//  WB9. WM_SYSCOMMAND SC_CLOSE sends WM_CLOSE; other commands get the default handling.
//  WB10. WM_DPICHANGED sets the DPI scale from the new DPI (low word of wParam); when the
//       percentage changed the window rescales (window.h, WN10); then it takes the suggested
//       rectangle of lParam, which lays the tree out at the new size.
//  WB11. WM_KEYDOWN calls OnKeyDown (virtual) first; unhandled keys go to the window's own
//      handling.
//  WB12. OnFinalMessage releases the control tree and deletes the object, except when it
//      ends a creation that failed (WM_CREATE answered -1): Create then returns null and the
//      object still belongs to its caller, who deletes it. After a successful Create the
//      caller must not delete it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/core/window.h"

namespace ui {

inline constexpr wchar_t kSkinLoadFailedFormat[] = L"Failed to load xml file %s";
// The caption of the toolkit's own message boxes.
inline constexpr wchar_t kToolkitCaption[] = L"Skin";

// The result code "closebtn" closes the window with.
inline constexpr UINT kCloseButtonResult = 1;

// Shows the skin-load failure message; tests replace it (null restores the message box).
using SkinErrorReporter = void (*)(const wchar_t* text);
void SetSkinErrorReporterForTesting(SkinErrorReporter reporter);

// Names of the system buttons the base binds itself.
inline constexpr wchar_t kCloseButtonName[] = L"closebtn";
inline constexpr wchar_t kMinButtonName[] = L"minbtn";
inline constexpr wchar_t kMaxButtonName[] = L"maxbtn";
inline constexpr wchar_t kRestoreButtonName[] = L"restorebtn";

class WindowImplBase : public Window, public IUIMessageFilter {
 public:
  WindowImplBase() = default;
  ~WindowImplBase() override = default;

  HWND Create(HWND parent, const wchar_t* title, DWORD style, DWORD ex_style,
              const RECT& rc = RECT{0, 0, 0, 0}) override;  // WB0
  LRESULT HandleMessage(UINT msg, WPARAM w_param, LPARAM l_param) override;
  LRESULT MessageHandler(UINT msg, WPARAM w_param, LPARAM l_param, bool& handled) override;

  // The control factory hook for skin elements no factory knows; none by default.
  virtual std::unique_ptr<Control> CreateControl(const std::wstring& element_name);

 protected:
  // The skin folder ("frame") and file ("UIInstallFrame.xml") of the window.
  virtual std::wstring GetSkinFolder() const = 0;
  virtual std::wstring GetSkinFile() const = 0;
  // Called once after the tree is attached, before the system buttons are bound.
  virtual void InitWindow() {}
  // The window style without WS_CAPTION.
  virtual LONG GetStyle() const;
  void OnFinalMessage(HWND hwnd) override;

  // WB11: |handled| set to true ends the message with the returned result.
  virtual LRESULT OnKeyDown(UINT msg, WPARAM w_param, LPARAM l_param, bool& handled);
  // WB4: the system buttons' common handler.
  virtual bool OnButtonClick(const EventArgs& args);

 private:
  LRESULT OnCreate(bool& handled);
  bool BuildSkin();
  void BindSystemButtons();
  LRESULT OnNcHitTest(LPARAM l_param);
  LRESULT OnNcActivate(WPARAM w_param, bool& handled);
  void OnGetMinMaxInfo(LPARAM l_param);
  void OnSize(WPARAM w_param, LPARAM l_param);
  void OnDpiChanged(WPARAM w_param, LPARAM l_param);
};

}  // namespace ui
