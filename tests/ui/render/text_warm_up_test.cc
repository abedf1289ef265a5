#include "ui/render/text_warm_up.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>

#include "support/scoped_gdi.h"
#include "support/scoped_gdiplus.h"
#include "support/scoped_handle.h"
#include "ui/render/gdiplus_text.h"

namespace ui {
namespace {

LOGFONTW Tahoma() {
  LOGFONTW font{};
  font.lfHeight = -12;
  wcscpy_s(font.lfFaceName, L"Tahoma");
  return font;
}

TEST(TextWarmUpTest, OneWarmUpAtATimeItsFollowUpRunsOnItsThreadAndFinishJoinsIt) {
  const vireo::ScopedGdiplus gdiplus;  // the caller's session outlives the warm-up (W3)
  std::atomic<DWORD> then_thread{0};
  ASSERT_TRUE(StartTextWarmUp(Tahoma(), [&then_thread] { then_thread = ::GetCurrentThreadId(); }));
  EXPECT_FALSE(StartTextWarmUp(Tahoma(), [] { ADD_FAILURE() << "a second warm-up ran"; }));

  WaitForTextWarmUp();
  // Text made here after the warm-up measures as it would without one.
  const vireo::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
  const vireo::ScopedFont font(::CreateFontW(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma"));
  Gdiplus::Bitmap surface(1, 1, PixelFormat32bppPARGB);
  Gdiplus::Graphics graphics(&surface);
  EXPECT_GT(MeasureTextWith(graphics, dc.get(), L"Aa", font.get(), DT_SINGLELINE, -1).right, 0);

  FinishTextWarmUp();
  EXPECT_NE(then_thread.load(), 0u);
  EXPECT_NE(then_thread.load(), ::GetCurrentThreadId());
  FinishTextWarmUp();  // nothing left to join
  WaitForTextWarmUp();

  // Finished, a new warm-up may start; an unusable font only ends its text part sooner.
  LOGFONTW broken = Tahoma();
  broken.lfHeight = INT_MIN;
  bool ran = false;
  ASSERT_TRUE(StartTextWarmUp(broken, [&ran] { ran = true; }));
  FinishTextWarmUp();
  EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace ui
