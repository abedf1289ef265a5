#include "tests/e2e/uninstall_window_pages.h"

#include <cstdint>

#include "tests/e2e/install_window_pages.h"
#include "tests/e2e/window_driver.h"

namespace vireo::test::uninstall_window {
namespace {

// The skin's blue buttons: strong blue, little red.
bool IsButtonBlue(uint32_t c) {
  const int r = (c >> 16) & 0xFF, b = c & 0xFF;
  return b > 200 && r < 90;
}

uint32_t ColorAt(const WindowShot& shot, HWND window, POINT at) {
  const POINT p = Scaled(window, at);
  return shot.At(p.x, p.y);
}

}  // namespace

bool StartPageShows(HWND window) { return IsButtonBlue(ColorAt(WindowShot(window), window, kUninstallProbe)); }

bool ProgressPageShows(HWND window) {
  const uint32_t c = ColorAt(WindowShot(window), window, kBarProbe);
  return ColorNear(c, install_window::kBarTrack, 8) || ColorNear(c, install_window::kBarFill);
}

bool CompletionShows(HWND window) {
  const WindowShot shot(window);
  return IsButtonBlue(ColorAt(shot, window, kCompleteProbe)) && !IsButtonBlue(ColorAt(shot, window, kUninstallProbe));
}

POINT CheckBoxPoint(HWND window) {
  const WindowShot shot(window);
  const int y = Scaled(window, POINT{0, kCheckBoxRowY}).y;
  const uint32_t background = shot.At(40, y);
  for (int x = 60; x < shot.width() / 2; ++x) {
    if (!ColorNear(shot.At(x, y), background, 12)) return POINT{x + 6, y};
  }
  return POINT{0, 0};
}

}  // namespace vireo::test::uninstall_window
