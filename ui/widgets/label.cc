#include "ui/widgets/label.h"

#include <type_traits>

#include "ui/core/attribute_values.h"
#include "ui/core/control_kinds.h"
#include "ui/core/window.h"
#include "ui/markup/global_manager.h"
#include "ui/markup/value_syntax.h"
#include "ui/render/render_context.h"
#include "ui/widgets/text_style.h"

namespace ui {
namespace {

struct TextColorAttribute {
  const wchar_t* name;
  ControlState state;
};
constexpr TextColorAttribute kTextColorAttributes[] = {
    {kNormalTextColorAttribute, kControlStateNormal},
    {L"hottextcolor", kControlStateHot},
    {L"pushedtextcolor", kControlStatePushed},
    {kDisabledTextColorAttribute, kControlStateDisabled},
};

int SumLengths(int a, int b, int c) {
  return ClampLength(static_cast<long long>(a) + b + c);
}

}  // namespace

template <typename InheritBase>
LabelTemplate<InheritBase>::LabelTemplate() : text_style_(kLabelTextStyle) {
  this->SetFixedWidth(kLengthAuto);
  this->SetFixedHeight(kLengthAuto);
  const GlobalDefinitions& definitions = GlobalManager::Get().definitions();
  text_colors_.Set(kControlStateNormal, definitions.default_text_color);
  text_colors_.Set(kControlStateDisabled, definitions.default_disabled_text_color);
}

template <typename InheritBase>
std::wstring LabelTemplate<InheritBase>::GetType() const {
  return std::is_base_of_v<Box, InheritBase> ? kLabelBoxKind : kLabelKind;
}

template <typename InheritBase>
void LabelTemplate<InheritBase>::SetAttribute(const std::wstring& name,
                                              const std::wstring& value) {
  if (name == kTextAttribute) {
    SetText(value);
  } else if (name == kTextIdAttribute) {
    SetTextId(value);
  } else if (name == kFontAttribute) {
    SetFont(value);
  } else if (name == L"align") {
    SetTextStyle(ApplyAlign(text_style_, value));
  } else if (name == L"endellipsis") {
    SetTextStyle(ApplyEndEllipsis(text_style_, value));
  } else if (name == L"singleline") {
    SetSingleLine(ParseBool(value));
  } else if (name == L"linelimit") {
    SetLineLimit(ParseBool(value));
  } else if (name == L"textpadding") {
    SetTextPadding(ReadScaledInsets(value));
  } else {
    for (const TextColorAttribute& color : kTextColorAttributes) {
      if (name == color.name) {
        SetTextColor(color.state, std::wstring(ColorName(value)));
        return;
      }
    }
    InheritBase::SetAttribute(name, value);
  }
}

template <typename InheritBase>
void LabelTemplate<InheritBase>::OnTextChanged() {
  if (this->GetFixedWidth() == kLengthAuto || this->GetFixedHeight() == kLengthAuto) {
    this->Arrange();
  } else {
    this->Invalidate();
  }
}

template <typename InheritBase>
void LabelTemplate<InheritBase>::SetText(const std::wstring& text) {
  if (text == text_) return;
  text_ = text;
  OnTextChanged();
  this->NotifyAccessible(EVENT_OBJECT_NAMECHANGE);
}

template <typename InheritBase>
ControlRole LabelTemplate<InheritBase>::DefaultRole() const {
  return this->GetAccessibleName().empty() ? ControlRole::kNone : ControlRole::kStaticText;
}

template <typename InheritBase>
std::wstring LabelTemplate<InheritBase>::GetText() const {
  if (!text_.empty() || text_id_.empty()) return text_;
  return GlobalManager::Get().strings().Get(text_id_);
}

template <typename InheritBase>
void LabelTemplate<InheritBase>::SetTextId(const std::wstring& id) {
  if (id == text_id_) return;
  text_id_ = id;
  if (text_.empty()) OnTextChanged();
}

template <typename InheritBase>
void LabelTemplate<InheritBase>::SetFont(const std::wstring& font_id) {
  if (font_id == font_) return;
  font_ = font_id;
  OnTextChanged();
}

template <typename InheritBase>
void LabelTemplate<InheritBase>::SetTextStyle(UINT style) {
  if (style == text_style_) return;
  text_style_ = style;
  OnTextChanged();
}

template <typename InheritBase>
void LabelTemplate<InheritBase>::SetSingleLine(bool single_line) {
  if (single_line == single_line_) return;
  single_line_ = single_line;
  OnTextChanged();
}

template <typename InheritBase>
void LabelTemplate<InheritBase>::SetLineLimit(bool line_limit) {
  if (line_limit == line_limit_) return;
  line_limit_ = line_limit;
  this->Invalidate();
}

template <typename InheritBase>
void LabelTemplate<InheritBase>::SetTextPadding(const RECT& padding) {
  if (RectEquals(padding, text_padding_)) return;
  text_padding_ = padding;
  OnTextChanged();
}

template <typename InheritBase>
void LabelTemplate<InheritBase>::SetTextColor(ControlState state, const std::wstring& name) {
  text_colors_.Set(state, name);
  this->Invalidate();
}

template <typename InheritBase>
HFONT LabelTemplate<InheritBase>::GetFontHandle() const {
  const FontRecord* record = GlobalManager::Get().definitions().fonts.Find(font_);
  return record != nullptr ? record->handle.get() : nullptr;
}

template <typename InheritBase>
SIZE LabelTemplate<InheritBase>::EstimateText(SIZE available) {
  const std::wstring text = GetText();
  Window* window = this->GetWindow();
  IRenderContext* render = window != nullptr ? window->GetRenderContext() : nullptr;
  if (text.empty() || render == nullptr) return SIZE{0, 0};

  const HFONT font = GetFontHandle();
  const UINT style = EffectiveTextStyle(text_style_, single_line_);
  const int fixed_width = this->GetFixedWidth();
  RECT measured = render->MeasureText(text, font, style, fixed_width > 0 ? fixed_width : 0);
  int width = RectWidth(measured);
  int height = RectHeight(measured);

  const RECT& pad = text_padding_;
  const long long room = static_cast<long long>(available.cx) - pad.left - pad.right;
  const bool unlimited = this->GetMaxWidth() < 0 || this->GetMaxWidth() == kMaxLengthDefault;
  if (!single_line_ && fixed_width == kLengthAuto && unlimited && room > 0 && width > room) {
    measured = render->MeasureText(text, font, style, static_cast<int>(room));
    width = static_cast<int>(room);
    height = RectHeight(measured);
  }
  return SIZE{SumLengths(width, pad.left, pad.right), SumLengths(height, pad.top, pad.bottom)};
}

template <typename InheritBase>
void LabelTemplate<InheritBase>::DrawTextIn(IRenderContext* render, const std::wstring& text,
                                            const std::wstring& name, int alpha) {
  const uint32_t argb = ResolveColor(name);
  if (argb == 0 || alpha <= 0) return;
  const RECT& pos = this->GetPos();
  const RECT& pad = text_padding_;
  const RECT rect = {pos.left + pad.left, pos.top + pad.top, pos.right - pad.right,
                     pos.bottom - pad.bottom};
  render->DrawText(rect, text, argb, GetFontHandle(),
                   EffectiveTextStyle(text_style_, single_line_), static_cast<BYTE>(alpha),
                   line_limit_);
}

template <typename InheritBase>
void LabelTemplate<InheritBase>::PaintText(IRenderContext* render) {
  const std::wstring text = GetText();
  if (text.empty()) return;
  const ControlState state = this->GetState();
  const std::wstring& hot = text_colors_.Get(kControlStateHot);
  const bool fading = this->HasHotAnimation() && !hot.empty() &&
                      (state == kControlStateNormal || state == kControlStateHot);
  if (!fading) {
    DrawTextIn(render, text, text_colors_.ForState(state), 255);
    return;
  }
  DrawTextIn(render, text, text_colors_.Get(kControlStateNormal), 255);
  DrawTextIn(render, text, hot, this->GetHotAlpha());
}

template class LabelTemplate<Control>;
template class LabelTemplate<Box>;

}  // namespace ui
