#include "ui/core/dpi_awareness.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "tests/ui/core/core_test_util.h"
#include "ui/markup/global_manager.h"

namespace ui {
namespace {

// The entry points are found by name and at least one of them makes the process aware
// (Wine refuses the newest context, so this is the fallback path); the scale then follows
// the screen's DPI.
TEST(DpiAwarenessTest, AwareAtTheScreensScale) {
  ui_test::ScopedDpi restore(100, false);
  InitDpiScale(true);
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(ReadScreenDpi(), dpi);
  EXPECT_TRUE(GlobalManager::Get().dpi().aware());
  EXPECT_EQ(GlobalManager::Get().dpi().percent(), ::MulDiv(dpi, 100, 96));

  InitDpiScale(false);
  EXPECT_FALSE(GlobalManager::Get().dpi().active());
}

}  // namespace
}  // namespace ui
