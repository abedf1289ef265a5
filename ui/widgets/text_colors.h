// A text's colour names per mouse state, and which one a state paints with.
//
//  - Pushed falls back to hot, hot to normal, disabled to normal, when the state has no
//    colour name of its own.
//  - Names are resolved through the global colour table when painting; a name without an
//    entry is 0, which draws nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/core/state_image.h"

namespace ui {

class TextColors {
 public:
  const std::wstring& Get(ControlState state) const { return names_[state]; }
  void Set(ControlState state, const std::wstring& name) { names_[state] = name; }
  // The fallback rule above.
  const std::wstring& ForState(ControlState state) const;

 private:
  std::wstring names_[kControlStateCount];
};

// The ARGB value of a colour name, 0 for an empty or unknown name.
uint32_t ResolveColor(const std::wstring& name);
// 0xAARRGGBB as a COLORREF (alpha dropped).
inline COLORREF ArgbToColorRef(uint32_t argb) {
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

}  // namespace ui
