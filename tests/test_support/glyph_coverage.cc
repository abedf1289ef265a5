#include "tests/test_support/glyph_coverage.h"

#include <vector>

#include "support/scoped_gdi.h"

namespace vireo::test {

GlyphCoverage CoverageOf(const LOGFONTW& font, std::wstring_view text) {
  std::wstring checked;
  for (const wchar_t c : text) {
    if (c >= 0x20) checked.push_back(c);
  }
  GlyphCoverage coverage{L"", checked};
  const ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
  const ScopedFont handle(::CreateFontIndirectW(&font));
  if (!dc || !handle) return coverage;
  const ScopedSelectObject select(dc.get(), handle.get());
  wchar_t face[LF_FACESIZE] = {};
  if (!select.ok() || ::GetTextFaceW(dc.get(), LF_FACESIZE, face) == 0) return coverage;
  std::vector<WORD> glyphs(checked.size() + 1);
  if (::GetGlyphIndicesW(dc.get(), checked.c_str(), static_cast<int>(checked.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
    return coverage;
  }
  coverage.face = face;
  coverage.missing.clear();
  for (size_t i = 0; i < checked.size(); ++i) {
    if (glyphs[i] == 0xFFFF) coverage.missing.push_back(checked[i]);
  }
  return coverage;
}

}  // namespace vireo::test
