// Every text the windows show is readable whatever faces the system has: for each text of both
// skins, and each text the install window puts on screen at run time, the font the toolkit
// draws it with has a glyph for every character. Checked in every font the skin declares and
// in the same fonts with a face no system has, so the answer never rests on the test
// prefix's fonts or on a face substitution of the system.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer/installer_strings.h"
#include "tests/test_support/glyph_coverage.h"
#include "tests/test_support/test_paths.h"
#include "ui/core/control_kinds.h"
#include "ui/markup/dpi_scale.h"
#include "ui/markup/font_table.h"
#include "ui/markup/value_syntax.h"
#include "ui/markup/xml_document.h"
#include "ui/render/font_fallback.h"

namespace vireo {
namespace {

constexpr wchar_t kMissingFace[] = L"Vireo Face That Is Not Installed";

// The "text" attribute of every element below |node|.
void CollectTexts(ui::XmlNode node, std::vector<std::wstring>* texts) {
  for (; node; node = node.next_sibling()) {
    if (const auto text = node.attribute(L"text"); text && !text->empty()) texts->emplace_back(*text);
    CollectTexts(node.first_child(), texts);
  }
}

std::vector<std::wstring> SkinTexts() {
  std::vector<std::wstring> texts;
  for (const char* file : {"resources/skin/frame/UIInstallFrame.xml", "resources/skin/frame/UIUninstallFrame.xml"}) {
    ui::XmlDocument document;
    EXPECT_TRUE(document.LoadFile(test::SourcePath(file).c_str())) << file;
    CollectTexts(document.root(), &texts);
  }
  return texts;
}

// What the install window writes into its progress label: the percentage text and every
// failure a step can leave there.
std::vector<std::wstring> RunTimeTexts() {
  return {
      std::wstring(kInstallingTextPrefix) + L"100%",
      kInstallFailedText,
      kInstallFailedMessage,
      kPortableMarkerMessage,
      kPathInvalidMessage,
      kPathRelativeMessage,
      kPathRootMessage,
      kPathNotFolderMessage,
      kPathForeignFolderMessage,
      kUnzipResourceMessage,
      kUnzipCreateTargetMessage,
      kUnzipInitMessage,
      FormatMessageText(kUnzipPackageFormat, 2),
      FormatMessageText(kUnzipProgramFormat, 2),
      kUnzipFilesInUseMessage,
      kDeployMainExeMessage,
      kDeleteAppDirMessage,
      kDeleteUserDataMessage,
      std::wstring(kStartMenuShortcutLabel) + kShortcutThreadSuffix,
      std::wstring(kDesktopShortcutLabel) + kShortcutTimeoutSuffix,
      kStartMenuPathMessage,
      kStartMenuFolderMessage,
      std::wstring(kDesktopShortcutLabel) + FormatMessageText(kShortcutFailedFormat, 0x80004005),
      kUninstallerMissingMessage,
      kRegistryWriteMessage,
  };
}

// Every font of the skin's global.xml, as the toolkit makes it, and again with a missing face.
std::vector<LOGFONTW> SkinFonts() {
  std::vector<LOGFONTW> fonts;
  ui::XmlDocument document;
  EXPECT_TRUE(document.LoadFile(test::SourcePath("resources/skin/global.xml").c_str()));
  for (ui::XmlNode node = document.root().first_child(); node; node = node.next_sibling()) {
    if (node.name() != ui::kFontElement) continue;
    ui::FontDeclaration declared;
    declared.face = std::wstring(node.attribute(L"name").value_or(L""));
    declared.size = ui::ParseInt(node.attribute(L"size").value_or(L"12"));
    declared.bold = ui::ParseBool(node.attribute(L"bold").value_or(L"false"));
    fonts.push_back(ui::MakeSkinLogFont(declared, ui::DpiScale()));
    declared.face = kMissingFace;
    fonts.push_back(ui::MakeSkinLogFont(declared, ui::DpiScale()));
  }
  return fonts;
}

TEST(SkinTextsTest, EveryTextIsDrawnInAFaceThatHasAllItsGlyphs) {
  std::vector<std::wstring> texts = SkinTexts();
  ASSERT_GE(texts.size(), 7u) << "the skins' texts were not found";
  for (std::wstring& text : RunTimeTexts()) texts.push_back(std::move(text));
  const std::vector<LOGFONTW> fonts = SkinFonts();
  ASSERT_GE(fonts.size(), 2u) << "the skin's fonts were not found";
  for (const LOGFONTW& font : fonts) {
    for (const std::wstring& text : texts) {
      const LOGFONTW chosen = ui::FontForText(font, text);
      const test::GlyphCoverage coverage = test::CoverageOf(chosen, text);
      EXPECT_EQ(coverage.missing, L"") << testing::PrintToString(text) << " asked in "
                                       << testing::PrintToString(std::wstring(font.lfFaceName)) << ", drawn in "
                                       << testing::PrintToString(coverage.face);
    }
  }
}

}  // namespace
}  // namespace vireo
