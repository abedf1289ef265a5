#include "tests/e2e/install_window_pages.h"

#include "tests/e2e/window_driver.h"

namespace vireo::test::install_window {

bool Shows(HWND window, POINT at, uint32_t color) {
  return ColorNear(WindowShot(window).At(at.x, at.y), color);
}

bool StartPageShows(HWND window) { return Shows(window, kInstallButtonProbe, kInstallNormal); }

bool ProgressPageShows(HWND window) {
  const uint32_t c = WindowShot(window).At(kBarProbe.x, kBarProbe.y);
  // The start page is white there, close to the track's grey: a tight tolerance.
  return ColorNear(c, kBarTrack, 8) || ColorNear(c, kBarFill);
}

// The try-now button's blue is close to the install button's, which covers the same spot
// on the start page; the finish button is white where the install button is blue.
bool CompletionShows(HWND window) {
  const WindowShot shot(window);
  return ColorNear(shot.At(kTryNowProbe.x, kTryNowProbe.y), kTryNowNormal) &&
         ColorNear(shot.At(kInstallButtonProbe.x, kInstallButtonProbe.y), kWhite, 8);
}

}  // namespace vireo::test::install_window
