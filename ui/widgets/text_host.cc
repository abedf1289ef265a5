#include "ui/widgets/text_host.h"

#include <cstdlib>
#include <cwchar>

namespace ui {
namespace {

// Twips per inch: the unit of a character format's height.
constexpr int kTwipsPerInch = 1440;
constexpr int kBoldWeight = 600;
constexpr LONG kDefaultTabTwips = 720;

}  // namespace

DWORD PropertyBitsForStyle(DWORD style, bool rich) {
  DWORD bits = 0;
  if (style & ES_MULTILINE) {
    bits |= TXTBIT_MULTILINE;
    if (!(style & ES_AUTOHSCROLL)) bits |= TXTBIT_WORDWRAP;
  }
  if (style & ES_READONLY) bits |= TXTBIT_READONLY;
  if (style & ES_PASSWORD) bits |= TXTBIT_USEPASSWORD;
  if (rich) bits |= TXTBIT_RICHTEXT;
  return bits;
}

CHARFORMAT2W CharFormatFromFont(const LOGFONTW& font, COLORREF color, int dpi) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_SIZE | CFM_OFFSET | CFM_FACE | CFM_CHARSET | CFM_COLOR | CFM_BOLD |
                  CFM_ITALIC | CFM_UNDERLINE;
  if (font.lfWeight >= kBoldWeight) format.dwEffects |= CFE_BOLD;
  if (font.lfItalic) format.dwEffects |= CFE_ITALIC;
  if (font.lfUnderline) format.dwEffects |= CFE_UNDERLINE;
  format.yHeight = ::MulDiv(std::abs(font.lfHeight), kTwipsPerInch, dpi > 0 ? dpi : 96);
  format.crTextColor = color;
  format.bCharSet = font.lfCharSet;
  format.bPitchAndFamily = font.lfPitchAndFamily;
  std::wcsncpy(format.szFaceName, font.lfFaceName, LF_FACESIZE - 1);
  format.szFaceName[LF_FACESIZE - 1] = L'\0';
  return format;
}

CTxtWinHost::CTxtWinHost(TextHostOwner* owner) : owner_(owner) {
  para_format_.cbSize = sizeof(para_format_);
  para_format_.dwMask = PFM_ALL;
  para_format_.wAlignment = PFA_LEFT;
  para_format_.cTabCount = 1;
  para_format_.rgxTabs[0] = kDefaultTabTwips;
}

HRESULT CTxtWinHost::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == kIidITextHost) {
    *object = static_cast<ITextHost*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HDC CTxtWinHost::TxGetDC() { return ::GetDC(owner_->GetHostWindow()); }

INT CTxtWinHost::TxReleaseDC(HDC dc) { return ::ReleaseDC(owner_->GetHostWindow(), dc); }

// The edit box draws no scroll bars of its own: the installer's box scrolls by the caret.
WINBOOL CTxtWinHost::TxShowScrollBar(INT, WINBOOL) { return FALSE; }
WINBOOL CTxtWinHost::TxEnableScrollBar(INT, INT) { return FALSE; }
WINBOOL CTxtWinHost::TxSetScrollRange(INT, LONG, INT, WINBOOL) { return FALSE; }
WINBOOL CTxtWinHost::TxSetScrollPos(INT, INT, WINBOOL) { return FALSE; }

void CTxtWinHost::TxInvalidateRect(LPCRECT, WINBOOL) { owner_->InvalidateHost(); }

void CTxtWinHost::TxViewChange(WINBOOL) { owner_->InvalidateHost(); }

WINBOOL CTxtWinHost::TxCreateCaret(HBITMAP bitmap, INT width, INT height) {
  HWND window = owner_->GetHostWindow();
  return window != nullptr && ::CreateCaret(window, bitmap, width, height);
}

WINBOOL CTxtWinHost::TxShowCaret(WINBOOL show) {
  HWND window = owner_->GetHostWindow();
  return show ? ::ShowCaret(window) : ::HideCaret(window);
}

WINBOOL CTxtWinHost::TxSetCaretPos(INT x, INT y) { return ::SetCaretPos(x, y); }

WINBOOL CTxtWinHost::TxSetTimer(UINT, UINT) { return FALSE; }  // TH5

void CTxtWinHost::TxKillTimer(UINT) {}

void CTxtWinHost::TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) {
  owner_->InvalidateHost();
}

void CTxtWinHost::TxSetCapture(WINBOOL capture) {
  HWND window = owner_->GetHostWindow();
  if (window == nullptr) return;
  if (capture) {
    ::SetCapture(window);
  } else if (::GetCapture() == window) {
    ::ReleaseCapture();
  }
}

void CTxtWinHost::TxSetFocus() { owner_->FocusHost(); }

void CTxtWinHost::TxSetCursor(HCURSOR cursor, WINBOOL) { ::SetCursor(cursor); }

WINBOOL CTxtWinHost::TxScreenToClient(LPPOINT point) {
  return ::ScreenToClient(owner_->GetHostWindow(), point);
}

WINBOOL CTxtWinHost::TxClientToScreen(LPPOINT point) {
  return ::ClientToScreen(owner_->GetHostWindow(), point);
}

HRESULT CTxtWinHost::TxActivate(LONG* old_state) {
  if (old_state != nullptr) *old_state = 0;
  return S_OK;
}

HRESULT CTxtWinHost::TxDeactivate(LONG) { return S_OK; }

HRESULT CTxtWinHost::TxGetClientRect(LPRECT rect) {
  *rect = owner_->GetHostRect();
  return S_OK;
}

HRESULT CTxtWinHost::TxGetViewInset(LPRECT rect) {
  *rect = RECT{0, 0, 0, 0};
  return S_OK;
}

HRESULT CTxtWinHost::TxGetCharFormat(const CHARFORMATW** format) {
  *format = reinterpret_cast<const CHARFORMATW*>(&char_format_);
  return S_OK;
}

HRESULT CTxtWinHost::TxGetParaFormat(const PARAFORMAT** format) {
  *format = &para_format_;
  return S_OK;
}

COLORREF CTxtWinHost::TxGetSysColor(int index) { return ::GetSysColor(index); }

HRESULT CTxtWinHost::TxGetBackStyle(TXTBACKSTYLE* style) {
  *style = TXTBACK_TRANSPARENT;  // TH4
  return S_OK;
}

HRESULT CTxtWinHost::TxGetMaxLength(DWORD* length) {
  *length = kRichEditMaxLength;
  return S_OK;
}

HRESULT CTxtWinHost::TxGetScrollBars(DWORD* scroll_bars) {
  *scroll_bars = style_ & (WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL | ES_AUTOVSCROLL);
  return S_OK;
}

HRESULT CTxtWinHost::TxGetPasswordChar(TCHAR* ch) {
  *ch = kPasswordChar;
  return (style_ & ES_PASSWORD) ? S_OK : S_FALSE;
}

HRESULT CTxtWinHost::TxGetAcceleratorPos(LONG* pos) {
  *pos = -1;
  return S_OK;
}

HRESULT CTxtWinHost::TxGetExtent(LPSIZEL) { return E_NOTIMPL; }

HRESULT CTxtWinHost::OnTxCharFormatChange(const CHARFORMATW*) { return S_OK; }

HRESULT CTxtWinHost::OnTxParaFormatChange(const PARAFORMAT*) { return S_OK; }

HRESULT CTxtWinHost::TxGetPropertyBits(DWORD mask, DWORD* bits) {
  *bits = PropertyBitsForStyle(style_, rich_) & mask;
  return S_OK;
}

HRESULT CTxtWinHost::TxNotify(DWORD, void*) { return S_OK; }

HIMC CTxtWinHost::TxImmGetContext() { return ::ImmGetContext(owner_->GetHostWindow()); }

void CTxtWinHost::TxImmReleaseContext(HIMC context) {
  ::ImmReleaseContext(owner_->GetHostWindow(), context);
}

HRESULT CTxtWinHost::TxGetSelectionBarWidth(LONG* width) {
  *width = 0;
  return S_OK;
}

}  // namespace ui
