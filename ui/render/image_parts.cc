#include "ui/render/image_parts.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>

namespace ui {

namespace {

// One axis of a cell (or of one tile): destination [d0, d1) from source [s0, s1).
struct Span {
  int64_t d0, d1, s0, s1;
};

// The border, middle and border spans of one axis.
std::array<Span, 3> Cut(int64_t d0, int64_t d1, int64_t d_lo, int64_t d_hi, int64_t s0, int64_t s1,
                        int64_t s_lo, int64_t s_hi) {
  d_lo = std::clamp<int64_t>(d_lo, 0, d1 - d0);
  d_hi = std::clamp<int64_t>(d_hi, 0, d1 - d0 - d_lo);
  s_lo = std::clamp<int64_t>(s_lo, 0, s1 - s0);
  s_hi = std::clamp<int64_t>(s_hi, 0, s1 - s0 - s_lo);
  return {Span{d0, d0 + d_lo, s0, s0 + s_lo}, Span{d0 + d_lo, d1 - d_hi, s0 + s_lo, s1 - s_hi},
          Span{d1 - d_hi, d1, s1 - s_hi, s1}};
}

// Calls |f| with the stretched span, or with each tile, that meets [v0, v1).
template <typename F>
void ForEachSpan(const Span& span, bool tiled, int64_t v0, int64_t v1, F&& f) {
  if (span.d1 <= span.d0 || span.s1 <= span.s0) return;
  if (span.d1 <= v0 || span.d0 >= v1) return;
  if (!tiled) {
    f(span);
    return;
  }
  const int64_t tile = span.s1 - span.s0;
  const int64_t first = v0 > span.d0 ? (v0 - span.d0) / tile : 0;
  const int64_t stop = std::min(span.d1, v1);
  for (int64_t d = span.d0 + first * tile; d < stop; d += tile) {
    const int64_t end = std::min(d + tile, span.d1);
    f(Span{d, end, span.s0, span.s0 + (end - d)});
  }
}

bool FitsInt(const RECT& r) {
  const int64_t w = int64_t{r.right} - r.left;
  const int64_t h = int64_t{r.bottom} - r.top;
  return w > 0 && h > 0 && w <= INT_MAX && h <= INT_MAX;
}

}  // namespace

void ForEachImagePart(const ImageGeometry& g, const RECT& visible,
                      const std::function<void(const ImagePart&)>& visit) {
  if (!FitsInt(g.dest) || !FitsInt(g.source)) return;
  const auto columns = Cut(g.dest.left, g.dest.right, g.dest_corner.left, g.dest_corner.right,
                           g.source.left, g.source.right, g.corner.left, g.corner.right);
  const auto rows = Cut(g.dest.top, g.dest.bottom, g.dest_corner.top, g.dest_corner.bottom,
                        g.source.top, g.source.bottom, g.corner.top, g.corner.bottom);
  for (size_t row = 0; row < rows.size(); ++row) {
    const bool ytiled = g.ytiled && row == 1;
    ForEachSpan(rows[row], ytiled, visible.top, visible.bottom, [&](const Span& y) {
      for (size_t column = 0; column < columns.size(); ++column) {
        const bool xtiled = g.xtiled && column == 1;
        ForEachSpan(columns[column], xtiled, visible.left, visible.right, [&](const Span& x) {
          visit(ImagePart{RECT{LONG(x.d0), LONG(y.d0), LONG(x.d1), LONG(y.d1)},
                          RECT{LONG(x.s0), LONG(y.s0), LONG(x.s1), LONG(y.s1)}});
        });
      }
    });
  }
}

}  // namespace ui
