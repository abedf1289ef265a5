#include "ui/markup/global_manager.h"

#include <gtest/gtest.h>

#include <string>

#include "support/scoped_gdiplus.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/zip_writer.h"
#include "tests/ui/markup/markup_fixtures.h"

namespace ui {
namespace {

using vireo::test::MakeZip;

std::string Text(const ByteBlock& block) {
  return block ? std::string(reinterpret_cast<const char*>(block.data()), block.size()) : "(none)";
}

// The skin lives under the resource path "skin", in the archive and in the working folder.
class GlobalManagerTest : public testing::Test {
 protected:
  void SetUp() override {
    png_ = test::MakePng(2, 2, {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000});
    zip_ = MakeZip({{"skin/global.xml", "<Global><TextColor name=\"white\" value=\"#ffffffff\"/></Global>"},
                    {"skin/frame/UIInstallFrame.xml", "<Window size=\"660,512\"/>"},
                    {"skin/Button/Btn_Install.png", png_, test::DeflateRaw(png_)},
                    {"skin/lang/zh_CN/gdstrings.ini", "STRID_OK=\xE5\xA5\xBD"}});
    ASSERT_TRUE(manager_.OpenArchive(reinterpret_cast<const uint8_t*>(zip_.data()), zip_.size(), ""));
    manager_.SetResourcePath(L"skin");
    ASSERT_TRUE(vireo::test::MakeDirs(dir_.Join(L"skin\\frame")));
    ::GetCurrentDirectoryW(MAX_PATH, saved_cwd_);
    ASSERT_TRUE(::SetCurrentDirectoryW(dir_.path().c_str()));
  }
  void TearDown() override { ::SetCurrentDirectoryW(saved_cwd_); }

  vireo::test::ScopedTempDir dir_;
  wchar_t saved_cwd_[MAX_PATH] = {};
  std::string png_;
  std::string zip_;
  GlobalManager manager_;
};

TEST_F(GlobalManagerTest, SkinFilesComeFromTheArchiveFirstThenTheDisk) {
  EXPECT_EQ(manager_.resource_path(), L"skin\\");
  ASSERT_TRUE(vireo::test::WriteFileBytes(dir_.Join(L"skin\\frame\\UIInstallFrame.xml"), "<Window/>"));
  ASSERT_TRUE(vireo::test::WriteFileBytes(dir_.Join(L"skin\\frame\\UIUninstallFrame.xml"), "disk"));
  EXPECT_EQ(Text(manager_.ReadSkinFile(L"frame\\UIInstallFrame.xml")), "<Window size=\"660,512\"/>");
  EXPECT_EQ(Text(manager_.ReadSkinFile(L"FRAME\\..\\BUTTON\\BTN_INSTALL.PNG")), png_);
  EXPECT_EQ(Text(manager_.ReadSkinFile(L"frame\\UIUninstallFrame.xml")), "disk");
  EXPECT_EQ(Text(manager_.ReadSkinFile(L"missing.xml")), "(none)");

  XmlDocument doc;
  ASSERT_TRUE(manager_.LoadSkinDocument(L"frame\\UIInstallFrame.xml", &doc));
  EXPECT_EQ(doc.root().attribute(L"size").value_or(L""), L"660,512");
  ASSERT_TRUE(manager_.LoadSkinDocument(L"<Box name=\"inline\"/>", &doc));
  EXPECT_EQ(doc.root().name(), L"Box");
  EXPECT_FALSE(manager_.LoadSkinDocument(L"nowhere.xml", &doc));
  EXPECT_EQ(doc.error_message(), L"Error opening file");

  ASSERT_TRUE(manager_.BuildGlobalFile(L"global.xml"));
  EXPECT_EQ(manager_.definitions().colors.Get(L"white"), 0xFFFFFFFFu);
}

TEST_F(GlobalManagerTest, StringTableFromTheLanguageFolder) {
  manager_.LoadStringTable(L"lang\\zh_CN");
  EXPECT_EQ(manager_.strings().Get(L"STRID_OK"), L"\u597D");
  manager_.LoadStringTable(L"lang\\en_US");  // no such file: an empty table
  EXPECT_EQ(manager_.strings().size(), 0u);
}

TEST_F(GlobalManagerTest, ImagesResolveAgainstTheWindowAndAreShared) {
  vireo::ScopedGdiplus gdiplus;
  ASSERT_TRUE(gdiplus.ok());
  const auto image = manager_.GetImage(L"../button/btn_install.png", L"frame\\");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 2);
  EXPECT_EQ(manager_.GetImage(L"../button/btn_install.png", L"frame\\"), image);
  EXPECT_EQ(manager_.image_cache().size(), 1u);

  // Not in the archive: from the disk; above 150 % a "@2x" file beside it wins.
  const std::string big = test::MakePng(4, 4, std::vector<uint32_t>(16, 0xFFFFFFFF));
  ASSERT_TRUE(vireo::test::WriteFileBytes(dir_.Join(L"skin\\frame\\logo.png"), png_));
  ASSERT_TRUE(vireo::test::WriteFileBytes(dir_.Join(L"skin\\frame\\logo@2x.png"), big));
  EXPECT_EQ(manager_.GetImage(L"logo.png", L"frame\\")->width, 2);
  manager_.dpi() = DpiScale(200, true);
  EXPECT_EQ(manager_.ResolveImagePath(L"logo.png", L"frame/"), L"skin\\frame\\logo@2x.png");
  EXPECT_EQ(manager_.GetImage(L"logo.png", L"frame\\")->width, 4);
  EXPECT_EQ(manager_.GetImage(L"missing.png", L"frame\\"), nullptr);
}

}  // namespace
}  // namespace ui
