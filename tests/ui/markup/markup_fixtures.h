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

inline constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";

// Appends a PNG chunk (length, type, data, CRC) to |out|.
void PutChunk(std::string& out, const char* type, const std::string& data);
// The 13 bytes of an IHDR chunk: 8 bits per sample, |colour| type, not interlaced.
std::string PngHeader(int width, int height, uint8_t colour);

// A PNG of |width| x |height| 8-bit RGBA pixels given as 0xAARRGGBB, row by row.
std::string MakePng(int width, int height, const std::vector<uint32_t>& argb);

}  // namespace ui::test
