// The edit box: a control hosting the system's windowless rich-text services (text_host.h,
// text_services.h), or a plain box that keeps its text when the services are missing.
//
//  RE1. Style: ES_MULTILINE on, everything else off ("multiline", "autohscroll",
//      "autovscroll", "readonly", "password", "rich", "hscrollbar", "vscrollbar"); "number"
//      keeps typed characters to the digits 0-9 (control characters such as Backspace still
//      pass); "wanttab" lets Tab reach the text. The cursor is the I-beam.
//  RE2. The services are made when the edit box is attached to a window and then given the
//      current text; they are released when it is destroyed or attached elsewhere. A
//      change of style, font or text colour afterwards is told to them as property bits.
//      The character format's face is the one font_fallback.h picks for the text set last.
//  RE3. SetText stores the text; with services it selects everything (EM_EXSETSEL 0, -1),
//      replaces the selection (EM_REPLACESEL) and puts the caret back at the start, so a text
//      wider than the box shows its beginning. GetText asks the services for the length
//      (EM_GETTEXTLENGTHEX, code page 1200) and the text (EM_GETTEXTEX into length + 1
//      characters); without services it is the stored text (or "textid"'s string).
//  RE4. Painting: the control base's layers, then the services draw the content into the
//      back buffer's device context within the position (TxDraw, content aspect).
//  RE5. Input with services: getting the focus activates them in place and tells them
//      (WM_SETFOCUS, the caret appears); losing it tells them (WM_KILLFOCUS). Key-down and
//      char events go to them as WM_KEYDOWN and WM_CHAR, Tab only with "wanttab". A double
//      click in a read-only box selects everything; otherwise it goes on as
//      WM_LBUTTONDBLCLK, like button down, up and mouse moves. The control base then
//      handles the event as well.
//  RE6. To screen readers the edit box is editable text whose value is its text, read-only
//      when typing is refused; each new text raises a value change.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/core/control.h"
#include "ui/widgets/text_colors.h"
#include "ui/widgets/text_host.h"

namespace ui {

class RichEdit : public Control, private TextHostOwner {
 public:
  RichEdit();
  ~RichEdit() override;

  std::wstring GetType() const override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;
  void SetWindow(Window* window, Box* parent) override;  // RE2
  void SetPos(RECT rc) override;
  void SetEnabled(bool enabled) override;
  void RescaleForDpi() override;  // the character format follows the font's new height
  bool IsTabStop() const override { return true; }
  bool IsWantTab() const override { return want_tab_; }

  void SetText(const std::wstring& text);  // RE3
  std::wstring GetText() const;            // RE3
  void SetTextId(const std::wstring& id) { text_id_ = id; }

  DWORD GetEditStyle() const { return style_; }
  // Sets or clears |bits| (ES_* and WS_*SCROLL) of the style.
  void SetEditStyle(DWORD bits, bool on);
  bool IsReadOnly() const { return (style_ & ES_READONLY) != 0; }
  bool IsNumberOnly() const { return number_only_; }
  void SetNumberOnly(bool number_only) { number_only_ = number_only; }
  void SetWantTab(bool want_tab) { want_tab_ = want_tab; }
  void SetRich(bool rich);
  const std::wstring& GetFont() const { return font_; }
  void SetFont(const std::wstring& font_id);
  void SetTextColor(ControlState state, const std::wstring& name);

  bool HasTextServices() const { return services_ != nullptr; }
  // A message to the services; 0 without them.
  LRESULT SendTextMessage(UINT msg, WPARAM w_param, LPARAM l_param) const;
  void SelectAll();

  std::wstring GetAccessibleValue() const override { return GetText(); }  // RE6
  ControlFacts GetFacts() const override;                                  // RE6

 protected:
  ControlRole DefaultRole() const override { return ControlRole::kEditableText; }
  void HandleMessage(EventArgs& args) override;  // RE5
  void PaintText(IRenderContext* render) override;  // RE4

 private:
  // TextHostOwner.
  HWND GetHostWindow() const override;
  RECT GetHostRect() const override { return GetPos(); }
  void InvalidateHost() override { Invalidate(); }
  void FocusHost() override { SetFocus(); }

  void CreateServices();
  void ReleaseServices();
  // Tells the services about changed property bits (RE2).
  void PropertyBitsChanged(DWORD mask);
  void UpdateCharFormat();
  // RE5: whether a key or char event reaches the services.
  bool PassesKey(const EventArgs& args) const;
  void OnFocus(bool focused);

  DWORD style_ = ES_MULTILINE;
  bool rich_ = false;
  bool number_only_ = false;
  bool want_tab_ = false;
  std::wstring text_;
  std::wstring text_id_;
  std::wstring font_;
  TextColors text_colors_;

  Window* host_window_ = nullptr;  // the window the services were made for
  // The host outlives the services (text_host.h, TH1): declared first, destroyed last.
  std::unique_ptr<CTxtWinHost> host_;
  std::unique_ptr<TextServices> services_;
};

}  // namespace ui
