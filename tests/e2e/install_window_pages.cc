#include "tests/e2e/install_window_pages.h"

#include "tests/e2e/window_driver.h"

namespace vireo::test::install_window {
namespace {

uint32_t ColorAt(const WindowShot& shot, HWND window, POINT at) {
  const POINT p = Scaled(window, at);
  return shot.At(p.x, p.y);
}

}  // namespace

POINT Scaled(HWND window, POINT at) {
  RECT rc{};
  ::GetWindowRect(window, &rc);
  const double scale = (rc.right - rc.left) / 660.0;
  return POINT{static_cast<LONG>(at.x * scale + 0.5), static_cast<LONG>(at.y * scale + 0.5)};
}

bool Shows(HWND window, POINT at, uint32_t color) { return ColorNear(ColorAt(WindowShot(window), window, at), color); }

bool StartPageShows(HWND window) { return Shows(window, kInstallButtonProbe, kInstallNormal); }

bool ProgressPageShows(HWND window) {
  const uint32_t c = ColorAt(WindowShot(window), window, kBarProbe);
  // The start page is white there, close to the track's grey: a tight tolerance.
  return ColorNear(c, kBarTrack, 8) || ColorNear(c, kBarFill);
}

// The try-now button's blue is close to the install button's, which covers the same spot
// on the start page; the finish button is white where the install button is blue.
bool CompletionShows(HWND window) {
  const WindowShot shot(window);
  return ColorNear(ColorAt(shot, window, kTryNowProbe), kTryNowNormal) &&
         ColorNear(ColorAt(shot, window, kInstallButtonProbe), kWhite, 8);
}

}  // namespace vireo::test::install_window
