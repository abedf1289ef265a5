#include "ui/core/attribute_values.h"

#include "ui/core/placeholder.h"
#include "ui/core/scaled_attributes.h"
#include "ui/markup/global_manager.h"
#include "ui/markup/value_syntax.h"

namespace ui {

int ScaleLength(int length) {
  NoteScaledRead();
  return ClampLength(GlobalManager::Get().dpi().Scale(ClampLength(length)));
}

std::optional<int> ReadSizeRule(std::wstring_view value) {
  if (value == L"auto") return kLengthAuto;
  if (value == L"stretch") return kLengthStretch;
  const int number = ParseInt(value);
  if (number < kLengthAuto) return std::nullopt;
  if (number < 0) return number;
  return ScaleLength(number);
}

int ReadScaledLength(std::wstring_view value) { return ScaleLength(ParseInt(value)); }

RECT ReadScaledInsets(std::wstring_view value) {
  const RECT rc = ParseRect(value);
  return RECT{ScaleLength(rc.left), ScaleLength(rc.top), ScaleLength(rc.right),
              ScaleLength(rc.bottom)};
}

RECT ReadScaledRect(std::wstring_view value) {
  RECT rc = ParseRect(value);
  rc.left = ClampLength(rc.left);
  rc.top = ClampLength(rc.top);
  rc.right = ClampLength(rc.right);
  rc.bottom = ClampLength(rc.bottom);
  NoteScaledRead();
  const RECT scaled = GlobalManager::Get().dpi().ScaleRect(rc);
  return RECT{ClampLength(scaled.left), ClampLength(scaled.top), ClampLength(scaled.right),
              ClampLength(scaled.bottom)};
}

SIZE ReadScaledSize(std::wstring_view value) {
  const SIZE size = ParseSize(value);
  return SIZE{ScaleLength(size.cx), ScaleLength(size.cy)};
}

}  // namespace ui
