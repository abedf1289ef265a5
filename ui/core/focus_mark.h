// The mark around the control that has the keyboard focus, shown once the keyboard has been
// used in the window, as Windows shows its focus cues.
//
//  FM1. The mark is a frame |width| pixels wide drawn just outside the control's position,
//       so it never hides what the control draws.
//  FM2. Its colour is the skin's accent colour; a skin without one gets the system's
//       highlight colour, so the mark is never missing.
#pragma once

#include <windows.h>

#include <cstdint>

namespace ui {

class IRenderContext;

// The frame's width in pixels at 100 %.
inline constexpr int kFocusMarkWidth = 2;

// FM1: the rectangle the frame covers.
RECT FocusMarkBounds(const RECT& pos, int width);
// FM2: 0xAARRGGBB.
uint32_t FocusMarkColor();
void PaintFocusMark(IRenderContext* render, const RECT& pos, int width);

}  // namespace ui
