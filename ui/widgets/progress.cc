#include "ui/widgets/progress.h"

#include <cwchar>

#include "ui/core/control_kinds.h"
#include "ui/markup/global_manager.h"
#include "ui/markup/value_syntax.h"
#include "ui/render/render_context.h"
#include "ui/widgets/text_style.h"

namespace ui {

inline constexpr int kProgressDefaultHeight = 12;

Progress::Progress() {
  SetFixedHeight(GlobalManager::Get().dpi().Scale(kProgressDefaultHeight));
  SetTextStyle(kProgressTextStyle);
}

std::wstring Progress::GetType() const { return kProgressKind; }

void Progress::SetAttribute(const std::wstring& name, const std::wstring& value) {
  if (name == L"hor") {
    SetHorizontal(ParseBool(value));
  } else if (name == L"min") {
    SetMinValue(ParseInt(value));
  } else if (name == L"max") {
    SetMaxValue(ParseInt(value));
  } else if (name == L"value") {
    SetValue(std::wcstod(value.c_str(), nullptr));
  } else if (name == L"isstretchfore") {
    SetStretchForeImage(ParseBool(value));
  } else if (name == L"progressimage") {
    SetProgressImage(value);
  } else if (name == L"progresscolor") {
    SetProgressColor(std::wstring(ColorName(value)));
  } else {
    LabelTemplate<Control>::SetAttribute(name, value);
  }
}

void Progress::RescaleForDpi() {
  // A "height" of the skin, read again below, replaces the default.
  SetFixedHeight(GlobalManager::Get().dpi().Scale(kProgressDefaultHeight));
  LabelTemplate<Control>::RescaleForDpi();
}

void Progress::ClearImageCache() {
  LabelTemplate<Control>::ClearImageCache();
  progress_image_.ClearCache();
}

void Progress::SetHorizontal(bool horizontal) {
  if (horizontal == horizontal_) return;
  horizontal_ = horizontal;
  Invalidate();
}

void Progress::SetMinValue(int min) {
  range_.min = min;
  Invalidate();
}

void Progress::SetMaxValue(int max) {
  range_.max = max;
  Invalidate();
}

void Progress::SetValue(double value) {
  if (value == range_.value) return;
  range_.value = value;
  Invalidate();
  NotifyAccessible(EVENT_OBJECT_VALUECHANGE);
}

std::wstring Progress::GetAccessibleValue() const { return PercentText(range_.value, range_.min, range_.max); }

void Progress::SetStretchForeImage(bool stretch) {
  if (stretch == stretch_fore_) return;
  stretch_fore_ = stretch;
  Invalidate();
}

void Progress::SetProgressImage(const std::wstring& descriptor) {
  if (descriptor == progress_image_.GetDescriptor()) return;
  progress_image_.SetDescriptor(descriptor);
  Invalidate();
}

void Progress::SetProgressColor(const std::wstring& name) {
  if (name == progress_color_) return;
  progress_color_ = name;
  Invalidate();
}

void Progress::PaintStatusImage(IRenderContext* render) {
  LabelTemplate<Control>::PaintStatusImage(render);
  range_ = NormalizeProgress(range_);
  const RECT& pos = GetPos();
  const RECT part = ProgressForeground(range_, RectWidth(pos), RectHeight(pos), horizontal_);

  if (const uint32_t argb = ResolveColor(progress_color_); argb != 0) {
    const RECT fill = {pos.left + part.left, pos.top + part.top, pos.left + part.right,
                       pos.top + part.bottom};
    if (!RectEmpty(fill)) render->FillRect(fill, argb, 255);
  }
  if (progress_image_.IsEmpty()) return;
  const std::wstring modifier =
      stretch_fore_ ? FormatDestModifier(part) : FormatDestModifier(part, &part);
  DrawImage(render, progress_image_, modifier);
}

}  // namespace ui
