// The skin the built installer carries: every member of its IDR_ZIP_UI archive is there,
// deflated, unencrypted, and decodes at its size.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "support/scoped_gdiplus.h"
#include "support/scoped_handle.h"
#include "tests/test_support/test_paths.h"
#include "ui/markup/global_manager.h"
#include "ui/markup/image_decoder.h"
#include "ui/markup/xml_document.h"
#include "ui/markup/zip_format.h"

namespace ui {
namespace {

struct Member {
  const char* name;
  int width;  // 0: an XML file
  int height;
};

const Member kMembers[] = {
    {"global.xml", 0, 0},
    {"frame/UIInstallFrame.xml", 0, 0},
    {"frame/UIUninstallFrame.xml", 0, 0},
    {"background/install_bg.png", 1320, 1024},
    {"background/install_bg2.png", 1320, 1024},
    {"background/install_txt.png", 190, 25},
    {"background/edit_bg.png", 386, 40},
    {"background/uninstall_bg.png", 1320, 1024},
    {"background/uninstall_bg2.png", 1320, 1024},
    {"background/uninstall_txt.png", 260, 25},
    {"button/btn_install.png", 480, 40},
    {"button/btn_trynow.png", 480, 40},
    {"button/btn_complete2.png", 480, 40},
    {"button/btn_complete.png", 480, 40},
    {"button/btn_cancel.png", 480, 40},
    {"button/btn_uninstall.png", 480, 40},
    {"button/btn_select_path.png", 184, 32},
    {"button/btn_wnd_dark_min.png", 184, 32},
    {"button/btn_wnd_dark_close.png", 184, 32},
    {"button/btn_wnd_light_min.png", 184, 32},
    {"button/btn_wnd_light_close.png", 184, 32},
    {"checkbox/check_no.png", 12, 12},
    {"checkbox/check_yes.png", 12, 12},
};

TEST(SkinResourceTest, EveryMemberOfTheBuiltSkinDecodesAtItsSize) {
  const std::wstring exe = vireo::test::BuildPath("bin/vireo_setup.exe");
  vireo::ScopedModule module(
      ::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(module) << "cannot load " << ::GetLastError();
  HRSRC found = ::FindResourceW(module.get(), L"IDR_ZIP_UI", L"PACKAGE");
  ASSERT_NE(found, nullptr);
  const void* bytes = ::LockResource(::LoadResource(module.get(), found));
  ASSERT_NE(bytes, nullptr);
  ASSERT_GE(::SizeofResource(module.get(), found), 4u);
  ASSERT_EQ(std::memcmp(bytes, "PK\x03\x04", 4), 0) << "IDR_ZIP_UI is not a ZIP archive";

  GlobalManager manager;
  ASSERT_TRUE(manager.OpenArchiveFromResource(module.get(), L"IDR_ZIP_UI", L"PACKAGE", ""));
  vireo::ScopedGdiplus gdiplus;
  ASSERT_TRUE(gdiplus.ok());
  for (const Member& m : kMembers) {
    const ZipEntry* entry = manager.archive().Find(m.name);
    ASSERT_NE(entry, nullptr) << m.name;
    EXPECT_EQ(entry->method, zip::kMethodDeflate) << m.name;
    EXPECT_EQ(entry->flags & zip::kFlagEncrypted, 0) << m.name;
    const ByteBlock data = manager.archive().Extract(*entry);
    ASSERT_TRUE(data) << m.name;
    if (m.width == 0) {
      XmlDocument doc;
      EXPECT_TRUE(doc.LoadBytes(data.data(), data.size())) << m.name << ": " << doc.error_message().size();
      continue;
    }
    const auto image = DecodeImageBytes(data.data(), data.size(), L"");
    ASSERT_NE(image, nullptr) << m.name;
    EXPECT_EQ(image->width, m.width) << m.name;
    EXPECT_EQ(image->height, m.height) << m.name;
  }
}

}  // namespace
}  // namespace ui
