#include "installer/ui/dwm_frame.h"

#include <uxtheme.h>

#include "support/scoped_handle.h"

namespace vireo {

namespace {

constexpr DWORD kNcRenderingPolicy = 2;   // DWMWA_NCRENDERING_POLICY
constexpr DWORD kNcRenderingEnabled = 2;  // DWMNCRP_ENABLED
constexpr DWORD kBorderColor = 34;        // DWMWA_BORDER_COLOR (Windows 11)
constexpr COLORREF kLightGreyBorder = 0x00CDCDCD;

using IsCompositionEnabledFn = HRESULT(WINAPI*)(BOOL*);
using SetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
using ExtendFrameFn = HRESULT(WINAPI*)(HWND, const MARGINS*);

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace

bool ApplyDwmFrame(HWND window) {
  ScopedModule dwm(::LoadLibraryW(L"dwmapi.dll"));
  if (!dwm) return false;
  auto is_enabled = Lookup<IsCompositionEnabledFn>(dwm.get(), "DwmIsCompositionEnabled");
  auto set_attribute = Lookup<SetWindowAttributeFn>(dwm.get(), "DwmSetWindowAttribute");
  auto extend_frame = Lookup<ExtendFrameFn>(dwm.get(), "DwmExtendFrameIntoClientArea");
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
