// Which part of a source image goes where on the destination: stretching, nine-grid borders
// and tiling. Pure geometry, no drawing.
//
//  - |corner| holds the source's border widths (left, top, right, bottom) and |dest_corner|
//     the destination's, already scaled by the caller for the display's DPI. Each is clamped
//     to its rectangle: a negative width counts as 0, the left border is at most the width
//     and the right one at most what the left leaves (top and bottom likewise).
//  - The borders cut source and destination into a 3x3 grid of cells; cell (row, column)
//     of the source goes to the same cell of the destination. A cell empty on either side is
//     skipped, so without borders only the middle remains: the whole source onto the whole
//     destination.
//  - Corner cells take the destination border size; edges and the middle are stretched.
//  - |xtiled| repeats the middle column (top edge, middle, bottom edge) across its
//     destination width at the source's own width, starting at its left; the last repetition
//     is cut to the destination and its source cut to the same width. |ytiled| does the same
//     for the middle row, downwards. A tiled cell is still stretched along the other axis.
//  - Only parts whose destination meets |visible| are produced; the first visible tile is
//     computed, not searched, so a 1-pixel tile over a huge destination costs only the
//     visible repetitions.
//  - A destination or source whose width or height does not fit in an int, or is not
//     positive, produces nothing.
#pragma once

#include <windows.h>

#include <functional>

namespace ui {

struct ImagePart {
  RECT dest;
  RECT source;
};

struct ImageGeometry {
  RECT dest{};
  RECT source{};
  RECT corner{};       // source borders
  RECT dest_corner{};  // destination borders, DPI-scaled
  bool xtiled = false;
  bool ytiled = false;
};

// Calls |visit| for every part of |geometry| that meets |visible|, row by row, left to right.
void ForEachImagePart(const ImageGeometry& geometry, const RECT& visible,
                      const std::function<void(const ImagePart&)>& visit);

}  // namespace ui
