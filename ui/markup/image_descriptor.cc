#include "ui/markup/image_descriptor.h"

#include <algorithm>
#include <cwchar>

#include "ui/markup/value_syntax.h"

namespace ui {
namespace {

void ApplyPair(std::wstring_view key, std::wstring_view value, const DpiScale& scale, ImageAttribute* a) {
  if (key == L"file" || key == L"res") {
    a->file = std::wstring(value);
  } else if (key == L"source") {
    a->source = ParseRect(value);
  } else if (key == L"dest") {
    a->dest = a->dest_scale ? scale.ScaleRect(ParseRect(value)) : ParseRect(value);
  } else if (key == L"destscale") {
    a->dest_scale = ParseBool(value);
  } else if (key == L"corner") {
    a->corner = ParseRect(value);
  } else if (key == L"fade") {
    a->fade = std::clamp(ParseInt(value), 0, 255);
  } else if (key == L"xtiled") {
    a->xtiled = ParseBool(value);
  } else if (key == L"ytiled") {
    a->ytiled = ParseBool(value);
  } else if (key == L"playcount") {
    a->play_count = ParseInt(value);
  }
}

}  // namespace

void ApplyImagePairs(std::wstring_view pairs, const DpiScale& scale, ImageAttribute* attribute) {
  size_t pos = 0;
  const size_t end = pairs.size();
  for (;;) {
    while (pos < end && pairs[pos] <= L' ') ++pos;
    if (pos >= end) return;
    const size_t key_start = pos;
    while (pos < end && pairs[pos] > L' ' && pairs[pos] != L'=') ++pos;
    const std::wstring_view key = pairs.substr(key_start, pos - key_start);
    if (pos >= end || pairs[pos] != L'=') return;
    if (++pos >= end || pairs[pos] != L'\'') return;
    const size_t value_start = ++pos;
    const size_t close = pairs.find(L'\'', value_start);
    if (close == std::wstring_view::npos) return;
    ApplyPair(key, pairs.substr(value_start, close - value_start), scale, attribute);
    pos = close + 1;
    if (pos >= end) return;
    if (pairs[pos] != L' ') return;
    ++pos;
  }
}

ImageAttribute ParseImageDescriptor(std::wstring_view descriptor, const DpiScale& scale) {
  ImageAttribute attribute;
  attribute.descriptor = std::wstring(descriptor);
  attribute.file = attribute.descriptor;
  ApplyImagePairs(descriptor, scale, &attribute);
  return attribute;
}

std::wstring FormatDestModifier(const RECT& dest, const RECT* source) {
  wchar_t text[160];
  int length = std::swprintf(text, 80, L"destscale='false' dest='%d,%d,%d,%d'", static_cast<int>(dest.left),
                             static_cast<int>(dest.top), static_cast<int>(dest.right), static_cast<int>(dest.bottom));
  if (source != nullptr && length > 0) {
    std::swprintf(text + length, 80, L" source='%d,%d,%d,%d'", static_cast<int>(source->left),
                  static_cast<int>(source->top), static_cast<int>(source->right), static_cast<int>(source->bottom));
  }
  return text;
}

ImageAttribute WithModifier(const ImageAttribute& stored, std::wstring_view modifier, const DpiScale& scale) {
  ImageAttribute copy = stored;
  ApplyImagePairs(modifier, scale, &copy);
  return copy;
}

}  // namespace ui
