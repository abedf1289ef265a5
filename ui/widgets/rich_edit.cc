#include "ui/widgets/rich_edit.h"

#include "support/scoped_gdi.h"
#include "ui/core/control_kinds.h"
#include "ui/core/window.h"
#include "ui/markup/global_manager.h"
#include "ui/markup/value_syntax.h"
#include "ui/render/font_fallback.h"
#include "ui/render/render_context.h"
#include "ui/widgets/text_style.h"

namespace ui {
namespace {

// Code page of UTF-16 text in EM_GETTEXTLENGTHEX and EM_GETTEXTEX.
constexpr UINT kUtf16CodePage = 1200;

constexpr DWORD kStyleBitsMask =
    TXTBIT_MULTILINE | TXTBIT_WORDWRAP | TXTBIT_READONLY | TXTBIT_USEPASSWORD | TXTBIT_RICHTEXT;

struct StyleAttribute {
  const wchar_t* name;
  DWORD bits;
};
constexpr StyleAttribute kStyleAttributes[] = {
    {L"multiline", ES_MULTILINE},   {L"autohscroll", ES_AUTOHSCROLL},
    {L"autovscroll", ES_AUTOVSCROLL}, {L"readonly", ES_READONLY},
    {L"password", ES_PASSWORD},     {L"hscrollbar", WS_HSCROLL},
    {L"vscrollbar", WS_VSCROLL},
};

LPARAM PointParam(POINT pt) { return MAKELPARAM(pt.x, pt.y); }

}  // namespace

RichEdit::RichEdit() {
  SetCursorType(CursorType::kIBeam);
  const GlobalDefinitions& definitions = GlobalManager::Get().definitions();
  text_colors_.Set(kControlStateNormal, definitions.default_text_color);
  text_colors_.Set(kControlStateDisabled, definitions.default_disabled_text_color);
}

RichEdit::~RichEdit() { ReleaseServices(); }

std::wstring RichEdit::GetType() const { return kRichEditKind; }

void RichEdit::SetAttribute(const std::wstring& name, const std::wstring& value) {
  for (const StyleAttribute& style : kStyleAttributes) {
    if (name == style.name) {
      SetEditStyle(style.bits, ParseBool(value));
      return;
    }
  }
  if (name == kTextAttribute) {
    SetText(value);
  } else if (name == kTextIdAttribute) {
    SetTextId(value);
  } else if (name == kFontAttribute) {
    SetFont(value);
  } else if (name == kNormalTextColorAttribute) {
    SetTextColor(kControlStateNormal, std::wstring(ColorName(value)));
  } else if (name == kDisabledTextColorAttribute) {
    SetTextColor(kControlStateDisabled, std::wstring(ColorName(value)));
  } else if (name == L"number") {
    SetNumberOnly(ParseBool(value));
  } else if (name == L"wanttab") {
    SetWantTab(ParseBool(value));
  } else if (name == L"rich") {
    SetRich(ParseBool(value));
  } else {
    // Prompt texts, caret colour, focused image and return-key messages are not offered.
    Control::SetAttribute(name, value);
  }
}

void RichEdit::SetWindow(Window* window, Box* parent) {
  Control::SetWindow(window, parent);
  if (window == host_window_) return;
  ReleaseServices();
  if (window != nullptr) CreateServices();
}

void RichEdit::CreateServices() {
  host_ = std::make_unique<CTxtWinHost>(static_cast<TextHostOwner*>(this));
  host_->SetStyle(style_, rich_);
  host_window_ = GetWindow();
  UpdateCharFormat();
  services_ = TextServices::Create(host_.get());
  if (!services_) {
    host_.reset();
    return;
  }
  const std::wstring text = text_;
  text_.clear();  // SetText skips an equal text
  SetText(!text.empty() || text_id_.empty() ? text : GlobalManager::Get().strings().Get(text_id_));
}

void RichEdit::ReleaseServices() {
  if (services_ && IsFocused()) services_->Send(WM_KILLFOCUS, 0, 0);
  services_.reset();  // before the host (text_host.h TH1)
  host_.reset();
  host_window_ = nullptr;
}

HWND RichEdit::GetHostWindow() const {
  return GetWindow() != nullptr ? GetWindow()->GetHWND() : nullptr;
}

void RichEdit::SetPos(RECT rc) {
  const RECT old = GetPos();
  Control::SetPos(rc);
  if (!RectEquals(old, GetPos())) PropertyBitsChanged(TXTBIT_CLIENTRECTCHANGE);
}

void RichEdit::SetEnabled(bool enabled) {
  if (enabled == IsEnabled()) return;
  Control::SetEnabled(enabled);
  UpdateCharFormat();
}

void RichEdit::RescaleForDpi() {
  Control::RescaleForDpi();
  UpdateCharFormat();
}

void RichEdit::SetEditStyle(DWORD bits, bool on) {
  const DWORD style = on ? (style_ | bits) : (style_ & ~bits);
  if (style == style_) return;
  const bool scroll_changed = ((style ^ style_) & (WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL |
                                                    ES_AUTOVSCROLL)) != 0;
  style_ = style;
  PropertyBitsChanged(kStyleBitsMask | (scroll_changed ? TXTBIT_SCROLLBARCHANGE : 0));
}

void RichEdit::SetRich(bool rich) {
  if (rich == rich_) return;
  rich_ = rich;
  PropertyBitsChanged(kStyleBitsMask);
}

void RichEdit::SetFont(const std::wstring& font_id) {
  if (font_id == font_) return;
  font_ = font_id;
  UpdateCharFormat();
}

void RichEdit::SetTextColor(ControlState state, const std::wstring& name) {
  text_colors_.Set(state, name);
  UpdateCharFormat();
}

void RichEdit::PropertyBitsChanged(DWORD mask) {
  if (host_) host_->SetStyle(style_, rich_);
  if (!services_) return;
  // Style bits carry their new values; the *CHANGE bits only announce a change.
  const DWORD bits = (PropertyBitsForStyle(style_, rich_) & kStyleBitsMask) | (mask & ~kStyleBitsMask);
  services_->get()->OnTxPropertyBitsChange(mask, bits & mask);
  Invalidate();
}

void RichEdit::UpdateCharFormat() {
  if (!host_) return;
  LOGFONTW font{};
  if (const FontRecord* record = GlobalManager::Get().definitions().fonts.Find(font_)) {
    font = record->logfont;
  } else {
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
  }
  const vireo::ScopedWindowDc dc(GetHostWindow());
  const int dpi = dc ? ::GetDeviceCaps(dc.get(), LOGPIXELSY) : 96;
  const ControlState state = IsEnabled() ? kControlStateNormal : kControlStateDisabled;
  const COLORREF color = ArgbToColorRef(ResolveColor(text_colors_.ForState(state)));
  host_->SetCharFormat(CharFormatFromFont(FontForText(font, text_), color, dpi));
  PropertyBitsChanged(TXTBIT_CHARFORMATCHANGE);
}

LRESULT RichEdit::SendTextMessage(UINT msg, WPARAM w_param, LPARAM l_param) const {
  return services_ ? services_->Send(msg, w_param, l_param) : 0;
}

void RichEdit::SelectAll() {
  CHARRANGE all = {0, -1};
  SendTextMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
}

void RichEdit::SetText(const std::wstring& text) {
  if (text == text_ && !services_) return;
  text_ = text;
  if (!services_) {
    Invalidate();
    NotifyAccessible(EVENT_OBJECT_VALUECHANGE);
    return;
  }
  UpdateCharFormat();  // the face must have the new text's glyphs
  SelectAll();
  SendTextMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text_.c_str()));
  // Replacing leaves the caret, and the view, at the end; a long path must show its start.
  CHARRANGE start = {0, 0};
  SendTextMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
  SendTextMessage(EM_SCROLLCARET, 0, 0);
  Invalidate();
  NotifyAccessible(EVENT_OBJECT_VALUECHANGE);
}

ControlFacts RichEdit::GetFacts() const {
  ControlFacts facts = Control::GetFacts();
  facts.read_only = IsReadOnly();
  return facts;
}

std::wstring RichEdit::GetText() const {
  if (!services_) {
    if (!text_.empty() || text_id_.empty()) return text_;
    return GlobalManager::Get().strings().Get(text_id_);
  }
  GETTEXTLENGTHEX length_query = {GTL_DEFAULT, kUtf16CodePage};
  const LRESULT length =
      SendTextMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length_query), 0);
  if (length <= 0) return std::wstring();
  std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
  GETTEXTEX text_query = {};
  text_query.cb = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  text_query.flags = GT_DEFAULT;
  text_query.codepage = kUtf16CodePage;
  const LRESULT copied = SendTextMessage(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&text_query),
                                         reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
  return buffer;
}

bool RichEdit::PassesKey(const EventArgs& args) const {
  const wchar_t key = args.key;
  if (key == VK_TAB || (args.type == kEventChar && key == L'\t')) return want_tab_;
  if (args.type == kEventChar && number_only_ && key >= L' ' && (key < L'0' || key > L'9')) {
    return false;
  }
  return true;
}

void RichEdit::OnFocus(bool focused) {
  if (focused) {
    const RECT& pos = GetPos();
    services_->get()->OnTxInPlaceActivate(&pos);
    services_->Send(WM_SETFOCUS, 0, 0);
  } else {
    services_->Send(WM_KILLFOCUS, 0, 0);
    services_->get()->OnTxInPlaceDeactivate();
  }
  Invalidate();
}

void RichEdit::HandleMessage(EventArgs& args) {
  if (!services_) {
    Control::HandleMessage(args);
    return;
  }
  switch (args.type) {
    case kEventSetFocus:
    case kEventKillFocus:
      OnFocus(args.type == kEventSetFocus);
      return;
    case kEventKeyDown:
    case kEventChar:
      if (PassesKey(args)) {
        services_->Send(args.type == kEventKeyDown ? WM_KEYDOWN : WM_CHAR, args.w_param,
                        args.l_param);
      }
      return;
    case kEventMouseDoubleClick:
      if (IsReadOnly()) {
        SelectAll();
      } else {
        services_->Send(WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(args.mouse_pos));
      }
      break;
    case kEventMouseButtonDown:
      services_->Send(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(args.mouse_pos));
      break;
    case kEventMouseButtonUp:
      services_->Send(WM_LBUTTONUP, 0, PointParam(args.mouse_pos));
      break;
    case kEventMouseMove:
      services_->Send(WM_MOUSEMOVE, args.w_param, PointParam(args.mouse_pos));
      break;
    default:
      break;
  }
  Control::HandleMessage(args);
}

void RichEdit::PaintText(IRenderContext* render) {
  if (!services_) return;
  const RECT& pos = GetPos();
  const RECTL bounds = {pos.left, pos.top, pos.right, pos.bottom};
  RECT update = GetPaintRect();
  services_->get()->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, render->GetDC(), nullptr,
                           &bounds, nullptr, &update, nullptr, 0, TXTVIEW_ACTIVE);
}

}  // namespace ui
