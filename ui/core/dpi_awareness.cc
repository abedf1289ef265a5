#include "ui/core/dpi_awareness.h"

#include <windows.h>

#include "ui/markup/dpi_scale.h"
#include "ui/markup/global_manager.h"

namespace ui {
namespace {

constexpr int kDefaultDpi = 96;
constexpr int kPerMonitorAware = 2;
constexpr UINT kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <typename Fn>
Fn User32Entry(const char* name) {
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

}  // namespace

bool MakeProcessDpiAware() {
  using SetAwarenessFn = BOOL(WINAPI*)(int);
  using SetAwareFn = BOOL(WINAPI*)();
  using IsAwareFn = BOOL(WINAPI*)();
  bool called = false;
  if (auto set = User32Entry<SetAwarenessFn>("SetProcessDpiAwarenessInternal")) {
    called = set(kPerMonitorAware) != FALSE;
  }
  if (!called) {
    if (auto set = User32Entry<SetAwareFn>("SetProcessDPIAware")) called = set() != FALSE;
  }
  if (auto is_aware = User32Entry<IsAwareFn>("IsProcessDPIAware")) return is_aware() != FALSE;
  return called;
}

int ReadScreenDpi() {
  using GetDpiFn = BOOL(WINAPI*)(HMONITOR, UINT, UINT*, UINT*);
  auto get_dpi = User32Entry<GetDpiFn>("GetDpiForMonitorInternal");
  UINT x = 0;
  UINT y = 0;
  HMONITOR monitor = ::MonitorFromPoint(POINT{1, 1}, MONITOR_DEFAULTTONEAREST);
  if (get_dpi == nullptr || !get_dpi(monitor, kEffectiveDpi, &x, &y) || x == 0) {
    return kDefaultDpi;
  }
  return static_cast<int>(x);
}

void InitDpiScale(bool adapt) {
  if (!adapt) {
    GlobalManager::Get().dpi() = DpiScale(100, false);
    return;
  }
  const bool aware = MakeProcessDpiAware();
  GlobalManager::Get().dpi() = DpiScale(DpiScale::PercentOfDpi(ReadScreenDpi()), aware);
}

}  // namespace ui
