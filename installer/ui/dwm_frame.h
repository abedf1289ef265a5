// The system shadow and a light grey one-pixel border for a captionless popup, when the
// desktop compositor is on.
#pragma once

#include <windows.h>

namespace vireo {

// With composition on: non-client rendering enabled, the frame extended by 1,1,1,1 into the
// client area and the border colour 0x00CDCDCD. The compositor's entry points are looked up
// by name in System32's "dwmapi.dll" (system_library.h), so a system without them (or with composition off) leaves the
// window as it is; every failure is ignored. Answers whether composition was on.
bool ApplyDwmFrame(HWND window);

}  // namespace vireo
