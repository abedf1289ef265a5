// Alpha arithmetic of the drawing primitives. Colours are 0xAARRGGBB, not premultiplied (GDI+
// brushes premultiply when they draw).
#pragma once

#include <windows.h>

namespace ui {

// The colour of a fill at |alpha|: alpha 255 keeps |argb| unchanged; any other alpha keeps
// the RGB and multiplies the colour's own alpha by alpha / 255 (truncated).
DWORD ScaleAlpha(DWORD argb, BYTE alpha);

// The colour of a text brush: like ScaleAlpha, but never fully opaque (alpha at most 254).
// With an opaque brush GDI+ may hand text to GDI, which writes no alpha into a 32-bit buffer;
// one step below opaque is invisible and always goes through GDI+'s own blending, so text
// keeps its alpha for a layered window's presentation.
DWORD TextBrushColour(DWORD argb, BYTE alpha);

}  // namespace ui
