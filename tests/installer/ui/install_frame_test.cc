// The real install window built from the real skin (resources/skin on disk), never shown.
#include "installer/ui/install_frame.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "support/fixed_path.h"
#include "tests/test_support/test_paths.h"
#include "ui/core/box.h"
#include "ui/widgets/rich_edit.h"
#include "ui/widgets/ui_startup.h"

namespace vireo {
namespace {

class InstallFrameTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ui::Startup(test::SourcePath("resources/skin"), nullptr, false, L"", L"lang\\zh_CN"));
    frame_ = new CUIInstallFrame();
    hwnd_ = frame_->Create(nullptr, kInstallWindowTitle, WS_POPUP, 0);
    ASSERT_NE(hwnd_, nullptr);
    // The first paint would lay the tree out in the client rectangle; do it here.
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    frame_->GetRoot()->SetPos(client);
  }
  void TearDown() override {
    if (hwnd_) ::DestroyWindow(hwnd_);  // the frame deletes itself
    ui::Shutdown();
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {}  // the WM_QUIT it posts
  }
  UINT HitTest(int x, int y) {
    POINT pt{x, y};
    ::ClientToScreen(hwnd_, &pt);
    return static_cast<UINT>(::SendMessageW(hwnd_, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
  }
  POINT Centre(const wchar_t* name) {
    const RECT rc = frame_->FindControl(name)->GetPos();
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  }

  CUIInstallFrame* frame_ = nullptr;
  HWND hwnd_ = nullptr;
};

// The top 333 pixels drag the window, except where a button or the folder box is.
TEST_F(InstallFrameTest, CaptionBandIsTheTop333PixelsLessItsControls) {
  EXPECT_EQ(HitTest(100, 100), static_cast<UINT>(HTCAPTION));
  EXPECT_EQ(HitTest(5, 332), static_cast<UINT>(HTCAPTION));
  EXPECT_EQ(HitTest(5, 333), static_cast<UINT>(HTCLIENT));
  for (const wchar_t* name : {L"minbtn", L"closebtn"}) {
    const POINT c = Centre(name);
    EXPECT_EQ(HitTest(c.x, c.y), static_cast<UINT>(HTCLIENT)) << testing::PrintToString(name);
  }
  // The folder row lies below the band at 100 %; its controls stay clickable wherever
  // they are.
  for (const wchar_t* name : {L"targetpath", L"btn_sel_path", L"btn_install"}) {
    const POINT c = Centre(name);
    EXPECT_EQ(HitTest(c.x, c.y), static_cast<UINT>(HTCLIENT)) << testing::PrintToString(name);
  }
}

// The folder box shows the install folder without its trailing backslash.
TEST_F(InstallFrameTest, FolderBoxShowsTheInstallFolder) {
  auto* target = dynamic_cast<ui::RichEdit*>(frame_->FindControl(L"targetpath"));
  ASSERT_NE(target, nullptr);
  EXPECT_EQ(target->GetText(), WithoutTrailingBackslash(CInstallOptions::Get().GetInstallDir()));
  EXPECT_NE(target->GetText().back(), L'\\');
}

// A task waiting for the first paint runs at that paint, once.
TEST_F(InstallFrameTest, FirstPaintTaskRunsOnceAtTheFirstPaint) {
  int runs = 0;
  frame_->WhenFirstPainted([&runs] { ++runs; });
  EXPECT_EQ(runs, 0);
  ::SendMessageW(hwnd_, WM_PAINT, 0, 0);
  EXPECT_EQ(runs, 1);
  ::InvalidateRect(hwnd_, nullptr, FALSE);
  ::SendMessageW(hwnd_, WM_PAINT, 0, 0);
  EXPECT_EQ(runs, 1);
}

// The built installer declares itself DPI-aware (per monitor where the system offers it), so
// the system does not stretch its window before the toolkit's own start-up call.
TEST(InstallerManifest, DeclaresDpiAwareness) {
  HMODULE image = ::LoadLibraryExW(test::BuildPath("bin/vireo_setup.exe").c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(image, nullptr);
  HRSRC found = ::FindResourceW(image, MAKEINTRESOURCEW(1), RT_MANIFEST);
  ASSERT_NE(found, nullptr);
  const char* bytes = static_cast<const char*>(::LockResource(::LoadResource(image, found)));
  const std::string manifest(bytes, ::SizeofResource(image, found));
  EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
  EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
  ::FreeLibrary(image);
}

}  // namespace
}  // namespace vireo
