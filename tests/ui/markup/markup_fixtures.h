// Fixture makers for the markup tests and the robustness tool: raw deflate streams for zip
// members and small 8-bit RGBA PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ui::test {

// The raw deflate stream (no zlib header) of |data|.
std::string DeflateRaw(std::string_view data);

// A PNG of |width| x |height| 8-bit RGBA pixels given as 0xAARRGGBB, row by row.
std::string MakePng(int width, int height, const std::vector<uint32_t>& argb);

}  // namespace ui::test
