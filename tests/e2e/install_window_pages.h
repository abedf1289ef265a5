// Where the install window's skin puts things at 100 % and how each page is recognised on
// the screen, at any DPI scale (read from the window's width); shared by the end-to-end window tests and the screenshot/benchmark tour so a
// skin change is followed in one place.
#pragma once

#include <windows.h>

#include <cstdint>

namespace vireo::test::install_window {

// Points relative to the window's top-left corner.
constexpr POINT kDragPoint = {100, 100};  // artwork inside the 333-pixel caption band
constexpr POINT kMinButton = {591, 16};
constexpr POINT kCloseButton = {637, 16};
constexpr POINT kFolderBox = {300, 377};
constexpr POINT kInstallButton = {330, 436};
constexpr POINT kInstallButtonProbe = {280, 422};  // left of the button's text
constexpr POINT kBarProbe = {30, 405};             // the progress bar's left end
constexpr POINT kCompleteButton = {256, 435};
constexpr POINT kTryNowButton = {392, 435};
constexpr POINT kTryNowProbe = {342, 421};
constexpr POINT kNeutralPoint = {10, 500};  // over no control: parks the pointer without a hover
constexpr int kAgreementRowY = 490;

// Colours (0x00RRGGBB) of the skin's pictures and of the progress bar.
constexpr uint32_t kInstallNormal = 0x1B7DEA;
constexpr uint32_t kInstallDisabled = 0xAECFF5;
constexpr uint32_t kTryNowNormal = 0x2587F2;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBarTrack = 0xE8E8E8;
constexpr uint32_t kBarFill = 0x315B9F;

// |at| (a point at 100 %) scaled to |window|'s size; the uninstall window's skin has the same
// size, so its points scale the same way.
POINT Scaled(HWND window, POINT at);

// Whether the screen shows |color| at |at| (a point at 100 %) of |window| (within the usual
// tolerance).
bool Shows(HWND window, POINT at, uint32_t color);
// The start page with its install button enabled.
bool StartPageShows(HWND window);
// The progress page: the bar's track or fill at its left end.
bool ProgressPageShows(HWND window);
// The completion view: its try-now button, and white where the install button was.
bool CompletionShows(HWND window);

}  // namespace vireo::test::install_window
