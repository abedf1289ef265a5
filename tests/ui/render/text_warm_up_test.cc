#include "ui/render/text_warm_up.h"

#include <gtest/gtest.h>

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

TEST(TextWarmUpTest, OneWarmUpAtATimeAndFinishJoinsIt) {
  const vireo::ScopedGdiplus gdiplus;  // the caller's session outlives the warm-up (TW3)
  ASSERT_TRUE(StartTextWarmUp(Tahoma()));
  EXPECT_FALSE(StartTextWarmUp(Tahoma()));

  WaitForTextWarmUp();
  // Text made here after the warm-up measures as it would without one.
  const vireo::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
  const vireo::ScopedFont font(::CreateFontW(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma"));
  Gdiplus::Bitmap surface(1, 1, PixelFormat32bppPARGB);
  Gdiplus::Graphics graphics(&surface);
  EXPECT_GT(MeasureTextWith(graphics, dc.get(), L"Aa", font.get(), DT_SINGLELINE, -1).right, 0);

  FinishTextWarmUp();
  FinishTextWarmUp();  // nothing left to join
  WaitForTextWarmUp();

  // Finished, a new warm-up may start; an unusable font only ends its text part sooner.
  LOGFONTW broken = Tahoma();
  broken.lfHeight = INT_MIN;
  ASSERT_TRUE(StartTextWarmUp(broken));
  FinishTextWarmUp();
}

}  // namespace
}  // namespace ui
