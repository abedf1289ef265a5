// Window: the skin's Window element attributes, the initial size, centring and a change of
// the DPI scale.
#include <cwchar>

#include <algorithm>

#include "ui/core/attribute_values.h"
#include "ui/core/box.h"
#include "ui/core/window.h"
#include "ui/markup/global_manager.h"
#include "ui/markup/value_syntax.h"

namespace ui {
namespace {

RECT WorkAreaNear(HWND hwnd) {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  ::GetMonitorInfoW(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

// |start| for a length |size| centred over [center_start, center_end), then kept inside
// [work_start, work_end) as far as it fits.
long CenteredStart(long center_start, long center_end, long size, long work_start,
                   long work_end) {
  long start = center_start + (center_end - center_start - size) / 2;
  if (start + size > work_end) start = work_end - size;
  if (start < work_start) start = work_start;
  return start;
}

}  // namespace

void Window::SetWindowAttribute(const std::wstring& name, const std::wstring& value) {
  if (name == L"size") {
    const SIZE size = ParseSize(value);
    SetInitSize(size.cx, size.cy, true);
  } else if (name == L"heightpercent") {
    // A fraction of the work area's height, within the minimum and maximum height.
    const double fraction = std::wcstod(value.c_str(), nullptr);
    if (!(fraction > 0.0 && fraction <= 1.0) || hwnd_ == nullptr) return;
    const RECT work = WorkAreaNear(hwnd_);
    int height = static_cast<int>(RectHeight(work) * fraction);
    if (min_info_.cy > 0) height = std::max<int>(height, min_info_.cy);
    if (max_info_.cy > 0) height = std::min<int>(height, max_info_.cy);
    SetInitSize(init_size_.cx, height, false);
  } else if (name == L"sizebox") {
    const RECT box = ParseRect(value);
    size_box_ = RECT{ClampLength(box.left), ClampLength(box.top), ClampLength(box.right),
                     ClampLength(box.bottom)};
  } else if (name == L"caption") {
    caption_rect_ = ReadScaledRect(value);
  } else if (name == L"roundcorner") {
    round_corner_ = ReadScaledSize(value);
  } else if (name == L"mininfo") {
    min_info_ = ReadScaledSize(value);
  } else if (name == L"maxinfo") {
    max_info_ = ReadScaledSize(value);
  } else if (name == L"textid") {
    const std::wstring title = GlobalManager::Get().strings().Get(value);
    if (!title.empty()) SetTaskbarTitle(title);
  }
  // "shadowimage", "shadowcorner", "shadowattached", "alphafixcorner" and anything else:
  // this host draws no shadows and presents no layered window.
}

void Window::ApplyWindowAttribute(const std::wstring& name, const std::wstring& value) {
  scaled_attributes_.Apply(name, value,
                           [this](const std::wstring& n, const std::wstring& v) { SetWindowAttribute(n, v); });
}

void Window::RescaleForDpi() {
  scaled_attributes_.ApplyAgain([this](const std::wstring& n, const std::wstring& v) { SetWindowAttribute(n, v); });
  GlobalManager::Get().definitions().fonts.Rescale(GlobalManager::Get().dpi());
  if (root_) root_->ForEachControl([](Control* control) { control->RescaleForDpi(); });
  RequestLayout();
  if (hwnd_ == nullptr) return;
  RECT client = {0, 0, 0, 0};
  ::GetClientRect(hwnd_, &client);
  Invalidate(client);
}

void Window::SetInitSize(int width, int height, bool dpi_scale) {
  if (dpi_scale) {
    width = ScaleLength(width);
    height = ScaleLength(height);
  }
  init_size_ = SIZE{ClampLength(width), ClampLength(height)};
  if (!root_ && hwnd_ != nullptr) {
    ::SetWindowPos(hwnd_, nullptr, 0, 0, init_size_.cx, init_size_.cy,
                   SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  }
}

void Window::CenterWindow() {
  if (hwnd_ == nullptr) return;
  RECT window = {0, 0, 0, 0};
  ::GetWindowRect(hwnd_, &window);
  HWND owner = ::GetWindow(hwnd_, GW_OWNER);
  if (owner != nullptr && ::IsIconic(owner)) owner = nullptr;
  const RECT work = WorkAreaNear(owner != nullptr ? owner : hwnd_);
  RECT center = work;
  if (owner != nullptr) ::GetWindowRect(owner, &center);
  const long x = CenteredStart(center.left, center.right, RectWidth(window), work.left, work.right);
  const long y = CenteredStart(center.top, center.bottom, RectHeight(window), work.top, work.bottom);
  ::SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ui
