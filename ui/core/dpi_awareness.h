// The system side of display scaling: making the process DPI-aware and reading the DPI that
// skin lengths are scaled for. The scale itself lives in the markup layer's DpiScale
// (GlobalManager::dpi()).
//
//  DA1. MakeProcessDpiAware: per-monitor awareness (2) is requested through user32's
//      "SetProcessDpiAwarenessInternal"; when that entry point is missing or refuses,
//      "SetProcessDPIAware". Both are looked up by name; without either the process stays
//      unaware. Answers whether the process is aware afterwards (user32's
//      "IsProcessDPIAware"; without it, whether a call succeeded).
//  DA2. ReadScreenDpi: the effective DPI of the monitor nearest to the screen point (1,1),
//      from "GetDpiForMonitorInternal" (96 when that fails or is missing).
//  DA3. InitDpiScale(adapt): with |adapt| true, DA1 and then the global scale = DA2's DPI as a
//      percentage, aware as DA1 answered; with |adapt| false the scale is 100 %, unaware.
#pragma once

namespace ui {

bool MakeProcessDpiAware();
int ReadScreenDpi();
void InitDpiScale(bool adapt);

}  // namespace ui
