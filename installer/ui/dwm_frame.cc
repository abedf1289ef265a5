#include "installer/ui/dwm_frame.h"

#include <uxtheme.h>

#include "support/system_library.h"

namespace vireo {

namespace {

constexpr DWORD kNcRenderingPolicy = 2;   // DWMWA_NCRENDERING_POLICY
constexpr DWORD kNcRenderingEnabled = 2;  // DWMNCRP_ENABLED
constexpr DWORD kBorderColor = 34;        // DWMWA_BORDER_COLOR (Windows 11)
constexpr COLORREF kLightGreyBorder = 0x00CDCDCD;

using IsCompositionEnabledFn = HRESULT(WINAPI*)(BOOL*);
using SetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
using ExtendFrameFn = HRESULT(WINAPI*)(HWND, const MARGINS*);

}  // namespace

bool ApplyDwmFrame(HWND window) {
  const SystemLibrary dwm(L"dwmapi.dll");
  auto is_enabled = dwm.Entry<IsCompositionEnabledFn>("DwmIsCompositionEnabled");
  auto set_attribute = dwm.Entry<SetWindowAttributeFn>("DwmSetWindowAttribute");
  auto extend_frame = dwm.Entry<ExtendFrameFn>("DwmExtendFrameIntoClientArea");
  BOOL enabled = FALSE;
  if (!is_enabled || FAILED(is_enabled(&enabled)) || !enabled) return false;
  if (set_attribute) {
    set_attribute(window, kNcRenderingPolicy, &kNcRenderingEnabled, sizeof(kNcRenderingEnabled));
  }
  if (extend_frame) {
    const MARGINS margins = {1, 1, 1, 1};
    extend_frame(window, &margins);
  }
  if (set_attribute) set_attribute(window, kBorderColor, &kLightGreyBorder, sizeof(kLightGreyBorder));
  return true;
}

}  // namespace vireo
