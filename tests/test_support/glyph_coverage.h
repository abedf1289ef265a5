// Asking GDI which characters of a text a font has no glyph for: how a test tells readable
// text from missing-glyph boxes without looking at pixels.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vireo::test {

struct GlyphCoverage {
  std::wstring face;     // the face GDI selected for the font
  std::wstring missing;  // the characters without a glyph in it (control characters skipped)
};

// |font| selected into a memory DC, its characters looked up with GetGlyphIndicesW and
// GGI_MARK_NONEXISTING_GLYPHS. A font GDI cannot make answers an empty face and every
// character missing.
GlyphCoverage CoverageOf(const LOGFONTW& font, std::wstring_view text);

}  // namespace vireo::test
