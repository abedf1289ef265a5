#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/scoped_gdiplus.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/ui/core/core_test_util.h"
#include "ui/core/box.h"
#include "ui/core/global_renderer.h"
#include "ui/markup/global_manager.h"
#include "ui/render/render_context.h"
#include "ui/render/render_factory_gdiplus.h"

namespace ui {
namespace {

// How many more GDI objects the process could make now: a count of the live ones that works
// where GetGuiResources answers 0 (Wine). Every object made here is deleted again.
size_t FreeGdiSlots() {
  std::vector<HBRUSH> brushes;
  while (brushes.size() < 100000) {
    HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
    if (brush == nullptr) break;
    brushes.push_back(brush);
  }
  for (HBRUSH brush : brushes) ::DeleteObject(brush);
  return brushes.size();
}

// A few objects may come and go with system caches; a leak per cycle would be thousands.
constexpr size_t kTolerance = 16;

// 10,000 relayouts and repaints of a shown window (images, fills, a translucent layer, and a
// back buffer resized every hundred cycles) leave the process's GDI objects where they were.
TEST(WindowPaintTest, NoGdiLeakOverManyPaints) {
  vireo::ScopedGdiplus gdiplus;
  ASSERT_TRUE(gdiplus.ok());
  SetGlobalRenderFactory(std::make_unique<RenderFactory_GdiPlus>());
  GlobalManager::Get().definitions().colors.Set(L"blue", 0xFF0000FF);
  vireo::test::ScopedTempDir dir;
  const std::wstring bmp = dir.Join(L"tile.bmp");
  ASSERT_TRUE(ui_test::WriteBmp(bmp, 8, 8, 0x336699));

  auto* window = new ui_test::SkinWindow(
      L"<Window size=\"120,60\"><VBox bkimage=\"" + bmp + L"\">"
      L"<Control name=\"toggle\" height=\"10\" bkcolor=\"blue\"/>"
      L"<Control height=\"auto\" width=\"auto\" normalimage=\"" + bmp + L"\" alpha=\"100\"/>"
      L"<HBox bkcolor=\"blue\" childmargin=\"2\"><Control bkimage=\"" + bmp + L"\"/></HBox>"
      L"</VBox></Window>");
  HWND hwnd = window->Create(nullptr, L"paint loop", WS_POPUP, 0);
  ASSERT_NE(hwnd, nullptr);
  window->ShowWindow(true, false);
  Control* toggle = window->FindControl(L"toggle");
  ASSERT_NE(toggle, nullptr);

  const auto cycle = [&](int i) {
    toggle->SetVisible(i % 2 == 0);
    if (i % 100 == 0) {
      ::SetWindowPos(hwnd, nullptr, 0, 0, 120 + i % 7, 60,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::InvalidateRect(hwnd, nullptr, FALSE);
    ::UpdateWindow(hwnd);
  };
  for (int i = 0; i < 200; ++i) cycle(i);  // caches and the buffer settle
  const DWORD objects_before = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  const size_t free_before = FreeGdiSlots();
  for (int i = 0; i < 10000; ++i) cycle(i);
  const DWORD objects_after = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  const size_t free_after = FreeGdiSlots();
  EXPECT_LE(objects_after, objects_before);
  EXPECT_GE(free_after + kTolerance, free_before)
      << "free GDI slots before " << free_before << ", after " << free_after;

  // The last paint still drew: the toggled strip is hidden, the box's picture shows.
  const uint32_t* bits = window->GetRenderContext()->GetBits();
  ASSERT_NE(bits, nullptr);
  // (An opaque copy may leave alpha 0 where GDI copied: only the colour counts.)
  EXPECT_EQ(bits[2 * window->GetRenderContext()->GetWidth() + 2] & 0xFFFFFF, 0x336699u);
  ::DestroyWindow(hwnd);
  SetGlobalRenderFactory(nullptr);
}

}  // namespace
}  // namespace ui
