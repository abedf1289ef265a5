// CTxtWinHost: the ITextHost an edit box gives the windowless rich-text services. It answers
// the services' questions (client rectangle, formats, property bits, limits) from what the
// edit box set, and carries out their requests (repaint, caret, capture, focus, cursor) on
// the edit box's native window.
//
//  TH1. The host's lifetime is its owner's: AddRef and Release count nothing, and the owner
//      releases the services (their only user) before the host.
//  TH2. Property bits (PropertyBitsForStyle): ES_MULTILINE -> multiline, and word wrap when
//      ES_AUTOHSCROLL is off; ES_READONLY -> read-only; ES_PASSWORD -> password; the rich
//      flag -> rich text. Scroll bars are the WS_HSCROLL, WS_VSCROLL, ES_AUTOHSCROLL and
//      ES_AUTOVSCROLL bits of the style.
//  TH3. The character format (CharFormatFromFont) is the font's face, character set, pitch,
//      weight (bold from 600), italic and underline, its pixel height in twips at |dpi|, and
//      the text colour.
//  TH4. The background is transparent: the owner paints it before the services draw.
//  TH5. Timers are not offered (TxSetTimer answers FALSE); the caret is the system caret of
//      the owner's window.
#pragma once

#include <windows.h>

#include "ui/widgets/text_services.h"

namespace ui {

inline constexpr LONG kRichEditMaxLength = 32767;
inline constexpr wchar_t kPasswordChar = L'*';

// What the host needs from its owner.
class TextHostOwner {
 public:
  virtual ~TextHostOwner() = default;
  virtual HWND GetHostWindow() const = 0;  // null while not attached
  virtual RECT GetHostRect() const = 0;    // window client coordinates
  virtual void InvalidateHost() = 0;
  virtual void FocusHost() = 0;
};

DWORD PropertyBitsForStyle(DWORD style, bool rich);  // TH2
CHARFORMAT2W CharFormatFromFont(const LOGFONTW& font, COLORREF color, int dpi);  // TH3

class CTxtWinHost final : public ITextHost {
 public:
  explicit CTxtWinHost(TextHostOwner* owner);
  ~CTxtWinHost() = default;
  CTxtWinHost(const CTxtWinHost&) = delete;
  CTxtWinHost& operator=(const CTxtWinHost&) = delete;

  void SetStyle(DWORD style, bool rich) {
    style_ = style;
    rich_ = rich;
  }
  DWORD GetStyle() const { return style_; }
  void SetCharFormat(const CHARFORMAT2W& format) { char_format_ = format; }

  // IUnknown (TH1).
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  // ITextHost.
  HDC TxGetDC() override;
  INT TxReleaseDC(HDC dc) override;
  WINBOOL TxShowScrollBar(INT bar, WINBOOL show) override;
  WINBOOL TxEnableScrollBar(INT flags, INT arrows) override;
  WINBOOL TxSetScrollRange(INT bar, LONG min_pos, INT max_pos, WINBOOL redraw) override;
  WINBOOL TxSetScrollPos(INT bar, INT pos, WINBOOL redraw) override;
  void TxInvalidateRect(LPCRECT rect, WINBOOL mode) override;
  void TxViewChange(WINBOOL update) override;
  WINBOOL TxCreateCaret(HBITMAP bitmap, INT width, INT height) override;
  WINBOOL TxShowCaret(WINBOOL show) override;
  WINBOOL TxSetCaretPos(INT x, INT y) override;
  WINBOOL TxSetTimer(UINT id, UINT timeout) override;
  void TxKillTimer(UINT id) override;
  void TxScrollWindowEx(INT dx, INT dy, LPCRECT scroll, LPCRECT clip, HRGN update_region,
                        LPRECT update, UINT flags) override;
  void TxSetCapture(WINBOOL capture) override;
  void TxSetFocus() override;
  void TxSetCursor(HCURSOR cursor, WINBOOL text) override;
  WINBOOL TxScreenToClient(LPPOINT point) override;
  WINBOOL TxClientToScreen(LPPOINT point) override;
  HRESULT TxActivate(LONG* old_state) override;
  HRESULT TxDeactivate(LONG new_state) override;
  HRESULT TxGetClientRect(LPRECT rect) override;
  HRESULT TxGetViewInset(LPRECT rect) override;
  HRESULT TxGetCharFormat(const CHARFORMATW** format) override;
  HRESULT TxGetParaFormat(const PARAFORMAT** format) override;
  COLORREF TxGetSysColor(int index) override;
  HRESULT TxGetBackStyle(TXTBACKSTYLE* style) override;
  HRESULT TxGetMaxLength(DWORD* length) override;
  HRESULT TxGetScrollBars(DWORD* scroll_bars) override;
  HRESULT TxGetPasswordChar(TCHAR* ch) override;
  HRESULT TxGetAcceleratorPos(LONG* pos) override;
  HRESULT TxGetExtent(LPSIZEL extent) override;
  HRESULT OnTxCharFormatChange(const CHARFORMATW* format) override;
  HRESULT OnTxParaFormatChange(const PARAFORMAT* format) override;
  HRESULT TxGetPropertyBits(DWORD mask, DWORD* bits) override;
  HRESULT TxNotify(DWORD notification, void* data) override;
  HIMC TxImmGetContext() override;
  void TxImmReleaseContext(HIMC context) override;
  HRESULT TxGetSelectionBarWidth(LONG* width) override;

 private:
  TextHostOwner* owner_;
  DWORD style_ = ES_MULTILINE;
  bool rich_ = false;
  CHARFORMAT2W char_format_{};
  PARAFORMAT2 para_format_{};
};

}  // namespace ui
