#include "ui/render/image_parts.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace ui {
namespace {

void Append(std::string& out, const RECT& r) {
  for (const LONG v : {r.left, r.top, r.right, r.bottom}) out.append(std::to_string(v)).append(",");
  out.pop_back();
}

// Every part as "dest<source", space-separated.
std::string Parts(const ImageGeometry& geometry, const RECT& visible) {
  std::string parts;
  ForEachImagePart(geometry, visible, [&](const ImagePart& p) {
    if (!parts.empty()) parts += ' ';
    Append(parts, p.dest);
    parts += '<';
    Append(parts, p.source);
  });
  return parts;
}

// Drawn parts (corners kept, tiles repeated and cut) are probed in image_blit_test.cc; these
// are the cases pixels cannot show.
TEST(ImagePartsTest, ClampsCullsAndRefuses) {
  constexpr RECT kAll{-100000, -100000, 100000, 100000};
  const struct {
    const char* name;
    ImageGeometry geometry;
    RECT visible;
    const char* parts;
  } cases[] = {
      {"borders wider than the rectangles are clamped, negative ones ignored",
       {{0, 0, 4, 2}, {0, 0, 2, 2}, {5, -1, 5, 0}, {3, 0, 9, 0}, false, false},
       kAll,
       "0,0,3,2<0,0,2,2"},
      {"only the visible tiles of a huge destination, found without walking it",
       {{0, 0, 2000000000, 1}, {0, 0, 3, 1}, {}, {}, true, false},
       {1500000001, 0, 1500000004, 1},
       "1500000000,0,1500000003,1<0,0,3,1 1500000003,0,1500000006,1<0,0,3,1"},
      {"a stretched part outside the visible area is skipped",
       {{0, 0, 10, 10}, {0, 0, 2, 2}, {}, {}, false, false},
       {10, 0, 20, 10},
       ""},
      {"a destination wider than an int draws nothing",
       {{INT_MIN, 0, INT_MAX, 10}, {0, 0, 1, 1}, {}, {}, false, false},
       kAll,
       ""},
      {"an empty source draws nothing",
       {{0, 0, 10, 10}, {5, 5, 5, 9}, {}, {}, true, true},
       kAll,
       ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Parts(c.geometry, c.visible), c.parts) << c.name;
}

}  // namespace
}  // namespace ui
