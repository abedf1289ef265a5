// Where the uninstall window's skin puts things at 100 % and how each page is recognised on
// the screen, at any DPI scale (read from the window's width); shared by the end-to-end
// uninstall tests and the screenshot tour.
#pragma once

#include <windows.h>

#include "tests/e2e/install_window_pages.h"

namespace vireo::test::uninstall_window {

// Points relative to the window's top-left corner.
constexpr POINT kCloseButton = {637, 16};
constexpr POINT kCancelButton = {262, 448};
constexpr POINT kUninstallButton = {398, 448};
constexpr POINT kUninstallProbe = {440, 436};  // right of the button's text
constexpr POINT kCompleteButton = {330, 435};
constexpr POINT kCompleteProbe = {282, 425};   // left of the button's text
constexpr POINT kBarProbe = {30, 405};         // the progress bar's left end
constexpr int kCheckBoxRowY = 378;

// Both windows have the same size, so their points scale alike.
using install_window::Scaled;

// The start page: its blue uninstall button.
bool StartPageShows(HWND window);
// The progress page: the bar's track or fill at its left end.
bool ProgressPageShows(HWND window);
// The completion view: its blue finish button, and no uninstall button beside it.
bool CompletionShows(HWND window);
// The check box on the start page: the first pixel from the left on its row that is not
// the background's; {0, 0} when there is none.
POINT CheckBoxPoint(HWND window);

}  // namespace vireo::test::uninstall_window
