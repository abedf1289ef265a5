#include "ui/render/font_fallback.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/test_support/glyph_coverage.h"

namespace ui {
namespace {

using vireo::test::CoverageOf;

// No system has a face of this name, so it is never installed nor mapped by a substitution.
constexpr wchar_t kMissingFace[] = L"Vireo Face That Is Not Installed";
constexpr wchar_t kChinese[] = L"我已阅读并同意《用户协议》和《隐私政策》";

LOGFONTW Font(const std::wstring& face) {
  LOGFONTW font{};
  font.lfHeight = -12;
  font.lfCharSet = DEFAULT_CHARSET;
  wcsncpy_s(font.lfFaceName, face.c_str(), _TRUNCATE);
  return font;
}

// Whether GDI lists a face of that name (a name GDI only maps to another is not listed).
bool IsInstalled(const std::wstring& face) {
  LOGFONTW query = Font(face);
  bool found = false;
  const HDC dc = ::GetDC(nullptr);
  ::EnumFontFamiliesExW(dc, &query, [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
  }, reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, dc);
  return found;
}

std::wstring ChosenFace(const std::wstring& face, const std::wstring& text) {
  return FontForText(Font(face), text).lfFaceName;
}

// The message font, as GDI resolves it.
std::wstring SystemUiFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return {};
  return CoverageOf(metrics.lfMessageFont, L"").face;
}

TEST(FontFallbackTest, AMissingFaceIsReplacedByOneWithEveryGlyphPreferringTheSystemUiFace) {
  for (const std::wstring text : {L"Vireo 安装程序", kChinese, L"安装中… 48%", L"Vireo"}) {
    const LOGFONTW chosen = FontForText(Font(kMissingFace), text);
    const auto coverage = CoverageOf(chosen, text);
    EXPECT_EQ(coverage.face, chosen.lfFaceName) << "GDI does not select the chosen face";
    EXPECT_EQ(coverage.missing, L"") << "in " << testing::PrintToString(coverage.face);
    EXPECT_EQ(chosen.lfHeight, -12) << "only the face changes";
  }
  // Latin text is what the system's UI face always has. Where that face is only a name GDI
  // maps (Wine's "MS Shell Dlg"), the first face it links to stands in for it.
  std::wstring ui_face = SystemUiFace();
  ASSERT_FALSE(ui_face.empty());
  if (!IsInstalled(ui_face) && !LinkedFaces(ui_face.c_str()).empty()) ui_face = LinkedFaces(ui_face.c_str()).front();
  EXPECT_EQ(ChosenFace(kMissingFace, L"Vireo"), ui_face);
}

TEST(FontFallbackTest, AnInstalledFaceIsKeptOnlyWhileItHasEveryGlyph) {
  const std::wstring cjk_face = ChosenFace(kMissingFace, kChinese);
  EXPECT_EQ(ChosenFace(cjk_face, kChinese), cjk_face);
  // The same face asked for in other letters is still the same installed face.
  std::wstring upper = cjk_face;
  for (wchar_t& c : upper) c = static_cast<wchar_t>(::towupper(c));
  EXPECT_EQ(ChosenFace(upper, L"Vireo"), upper);

  // An installed face without the Chinese glyphs: the system's UI face, unless it links to
  // faces that have them, else a Latin face of the usual font packages.
  std::wstring latin_face;
  for (const std::wstring& face : {SystemUiFace(), std::wstring(L"DejaVu Sans"), std::wstring(L"Liberation Sans")}) {
    if (IsInstalled(face) && !CoverageOf(Font(face), kChinese).missing.empty()) {
      latin_face = face;
      break;
    }
  }
  if (latin_face.empty()) GTEST_SKIP() << "no installed face lacks the Chinese glyphs";
  const std::wstring replaced = ChosenFace(latin_face, kChinese);
  EXPECT_NE(replaced, latin_face);
  EXPECT_EQ(CoverageOf(Font(replaced), kChinese).missing, L"");
  EXPECT_EQ(ChosenFace(latin_face, L"Vireo"), latin_face);
}

}  // namespace
}  // namespace ui
