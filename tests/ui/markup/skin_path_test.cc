#include "ui/markup/skin_path.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

TEST(SkinPathTest, ArchiveForm) {
  struct Case {
    const wchar_t* path;
    const wchar_t* archive;  // null: climbs above the root
  };
  const Case cases[] = {
      {L"frame\\../button/btn_wnd_dark_min.png", L"button/btn_wnd_dark_min.png"},
      {L"FRAME\\..\\BUTTON\\BTN_INSTALL.PNG", L"BUTTON/BTN_INSTALL.PNG"},
      {L"global.xml", L"global.xml"},
      {L"/frame//./UIInstallFrame.xml", L"frame/UIInstallFrame.xml"},
      {L"a/b/../../c", L"c"},
      {L"a/..", L""},
      {L"../button/x.png", nullptr},
      {L"a/../../x", nullptr},
      {L"", L""},
  };
  for (const Case& c : cases) {
    const auto form = NormalizeArchivePath(c.path);
    if (c.archive == nullptr) {
      EXPECT_FALSE(form.has_value()) << c.path;
    } else {
      EXPECT_EQ(form.value_or(L"(refused)"), c.archive) << c.path;
    }
  }
}

TEST(SkinPathTest, DiskFormAndResolution) {
  EXPECT_EQ(ToDiskPath(L"frame\\../background/install_bg.png"), L"frame\\..\\background\\install_bg.png");
  EXPECT_EQ(ToDiskPath(L"C:\\skin\\\\frame//x.png"), L"C:\\skin\\frame\\x.png");

  EXPECT_EQ(ResolveSkinPath(L"", L"frame\\", L"../background/install_bg.png"), L"frame\\../background/install_bg.png");
  EXPECT_EQ(ResolveSkinPath(L"C:\\skin\\", L"frame\\", L"x.png"), L"C:\\skin\\frame\\x.png");
  for (const wchar_t* absolute : {L"C:\\x.png", L"\\\\server\\x.png", L"/x.png"}) {
    EXPECT_EQ(ResolveSkinPath(L"C:\\skin\\", L"frame\\", absolute), absolute);
  }

  EXPECT_EQ(WithTrailingSlash(L""), L"");
  EXPECT_EQ(WithTrailingSlash(L"C:\\skin"), L"C:\\skin\\");
  EXPECT_EQ(WithTrailingSlash(L"C:/skin/"), L"C:/skin/");

  EXPECT_EQ(HighDpiVariant(L"C:\\skin.v1\\button\\btn.png"), L"C:\\skin.v1\\button\\btn@2x.png");
  EXPECT_EQ(HighDpiVariant(L"noextension"), L"");
}

}  // namespace
}  // namespace ui
