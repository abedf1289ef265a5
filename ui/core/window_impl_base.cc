#include "ui/core/window_impl_base.h"

#include <windowsx.h>

#include <memory>
#include <string>

#include "support/scoped_gdi.h"
#include "ui/core/box.h"
#include "ui/core/caption_hit_test.h"
#include "ui/core/control_builder.h"
#include "ui/core/skin_prefetch.h"
#include "ui/markup/dpi_scale.h"
#include "ui/markup/global_manager.h"
#include "ui/markup/skin_path.h"

namespace ui {
namespace {

void ShowSkinErrorBox(const wchar_t* text) {
  ::MessageBoxW(nullptr, text, kToolkitCaption, MB_OK | MB_ICONERROR);
}

SkinErrorReporter g_skin_error_reporter = &ShowSkinErrorBox;

// The format's "%s" replaced by |path|, cut to what a 260-character buffer holds: the box is
// a message, a long path may lose its end.
std::wstring SkinLoadFailedText(const std::wstring& path) {
  std::wstring text = kSkinLoadFailedFormat;
  const size_t at = text.find(L"%s");
  if (at != std::wstring::npos) text.replace(at, 2, path);
  if (text.size() > MAX_PATH - 1) text.resize(MAX_PATH - 1);
  return text;
}

}  // namespace

void SetSkinErrorReporterForTesting(SkinErrorReporter reporter) {
  g_skin_error_reporter = reporter != nullptr ? reporter : &ShowSkinErrorBox;
}

std::unique_ptr<Control> WindowImplBase::CreateControl(const std::wstring& /*element_name*/) {
  return nullptr;
}

HWND WindowImplBase::Create(HWND parent, const wchar_t* title, DWORD style, DWORD ex_style,
                            const RECT& rc) {
  // The same resource path OnCreate gives the window, so the prefetched keys are the ones
  // the controls ask for.
  const std::wstring window_path = WithTrailingSlash(GetSkinFolder());
  PrefetchSkinImages(window_path + GetSkinFile(), window_path);
  return Window::Create(parent, title, style, ex_style, rc);
}

LONG WindowImplBase::GetStyle() const {
  return ::GetWindowLongW(GetHWND(), GWL_STYLE) & ~static_cast<LONG>(WS_CAPTION);
}

LRESULT WindowImplBase::MessageHandler(UINT /*msg*/, WPARAM /*w_param*/, LPARAM /*l_param*/,
                                       bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::HandleMessage(UINT msg, WPARAM w_param, LPARAM l_param) {
  bool handled = false;
  LRESULT result = 0;
  switch (msg) {
    case WM_CREATE:
      result = OnCreate(handled);
      break;
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
    case WM_NCLBUTTONDBLCLK:
      handled = true;  // WB5
      break;
    case WM_NCACTIVATE:
      result = OnNcActivate(w_param, handled);
      break;
    case WM_NCHITTEST:
      result = OnNcHitTest(l_param);
      handled = true;
      break;
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(l_param);
      handled = true;
      break;
    case WM_SIZE:
      OnSize(w_param, l_param);
      break;
    case WM_SYSCOMMAND:
      if ((w_param & 0xFFF0) == SC_CLOSE) {
        // The window (and this object) may be gone when SendMessage returns.
        ::SendMessageW(GetHWND(), WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    case WM_DPICHANGED:
      OnDpiChanged(w_param, l_param);
      handled = true;
      break;
    case WM_KEYDOWN:
      result = OnKeyDown(msg, w_param, l_param, handled);
      break;
    default:
      break;
  }
  if (handled) return result;
  return Window::HandleMessage(msg, w_param, l_param);
}

LRESULT WindowImplBase::OnCreate(bool& handled) {
  handled = true;
  ::SetWindowLongW(GetHWND(), GWL_STYLE, GetStyle());
  InitWnd();
  SetResourcePath(GetSkinFolder());
  if (!BuildSkin()) {
    g_skin_error_reporter(SkinLoadFailedText(GetResourcePath() + GetSkinFile()).c_str());
    return -1;
  }
  InitWindow();
  if (Box* root = GetRoot();
      root != nullptr && (root->GetFixedWidth() == kLengthAuto || root->GetFixedHeight() == kLengthAuto)) {
    RECT client = {0, 0, 0, 0};
    ::GetClientRect(GetHWND(), &client);
    const SIZE size = AutoRootSize(SIZE{RectWidth(client), RectHeight(client)});
    ::SetWindowPos(GetHWND(), nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  BindSystemButtons();
  return 0;
}

bool WindowImplBase::BuildSkin() {
  auto factory = ToWeakCallback([this](const std::wstring& name) { return CreateControl(name); });
  ControlBuilder builder(this, factory);
  return AttachDialog(builder.Create(GetResourcePath() + GetSkinFile()));
}

void WindowImplBase::BindSystemButtons() {
  for (const wchar_t* name : {kCloseButtonName, kMinButtonName, kMaxButtonName, kRestoreButtonName}) {
    Control* button = FindControl(name);
    if (button == nullptr) continue;
    button->AttachClick(ToWeakCallback([this](const EventArgs& args) { return OnButtonClick(args); }));
  }
}

bool WindowImplBase::OnButtonClick(const EventArgs& args) {
  if (args.sender == nullptr) return true;
  const std::wstring& name = args.sender->GetName();
  if (name == kMinButtonName) {
    ::SendMessageW(GetHWND(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else if (name == kMaxButtonName || name == kRestoreButtonName) {
    const bool maximize = name == kMaxButtonName;
    Control* max_button = FindControl(kMaxButtonName);
    Control* restore_button = FindControl(kRestoreButtonName);
    if (max_button != nullptr && restore_button != nullptr) {
      max_button->SetVisible(!maximize);
      restore_button->SetVisible(maximize);
    }
    ::SendMessageW(GetHWND(), WM_SYSCOMMAND, maximize ? SC_MAXIMIZE : SC_RESTORE, 0);
  } else if (name == kCloseButtonName) {
    Close(kCloseButtonResult);
  }
  return true;
}

LRESULT WindowImplBase::OnKeyDown(UINT /*msg*/, WPARAM /*w_param*/, LPARAM /*l_param*/,
                                  bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnNcActivate(WPARAM w_param, bool& handled) {
  if (::IsIconic(GetHWND())) return 0;
  handled = true;
  return w_param == FALSE ? TRUE : FALSE;
}

LRESULT WindowImplBase::OnNcHitTest(LPARAM l_param) {
  POINT pt = {GET_X_LPARAM(l_param), GET_Y_LPARAM(l_param)};
  ::ScreenToClient(GetHWND(), &pt);
  RECT client = {0, 0, 0, 0};
  ::GetClientRect(GetHWND(), &client);
  return CaptionHitTest(client, pt, ::IsZoomed(GetHWND()) != FALSE, GetSizeBox(), GetCaptionRect(),
                        [this](POINT p) {
                          const Control* control = FindControl(p);
                          return control != nullptr ? control->GetType() : std::wstring();
                        });
}

void WindowImplBase::OnGetMinMaxInfo(LPARAM l_param) {
  auto* info = reinterpret_cast<MINMAXINFO*>(l_param);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromWindow(GetHWND(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  info->ptMaxPosition = POINT{work.left - monitor.rcMonitor.left, work.top - monitor.rcMonitor.top};
  info->ptMaxSize = POINT{RectWidth(work), RectHeight(work)};
  const SIZE min_info = GetMinInfo();
  const SIZE max_info = GetMaxInfo();
  if (min_info.cx != 0) info->ptMinTrackSize.x = min_info.cx;
  if (min_info.cy != 0) info->ptMinTrackSize.y = min_info.cy;
  if (max_info.cx != 0) info->ptMaxTrackSize.x = max_info.cx;
  if (max_info.cy != 0) info->ptMaxTrackSize.y = max_info.cy;
}

void WindowImplBase::OnSize(WPARAM w_param, LPARAM /*l_param*/) {
  const SIZE corner = GetRoundCorner();
  if (w_param == SIZE_MINIMIZED || (corner.cx == 0 && corner.cy == 0)) return;
  RECT window = {0, 0, 0, 0};
  ::GetWindowRect(GetHWND(), &window);
  vireo::ScopedRegion region(::CreateRoundRectRgn(0, 0, RectWidth(window) + 1,
                                                  RectHeight(window) + 1, corner.cx, corner.cy));
  // On success the system owns the region.
  if (region && ::SetWindowRgn(GetHWND(), region.get(), TRUE) != 0) (void)region.release();
}

void WindowImplBase::OnDpiChanged(WPARAM w_param, LPARAM l_param) {
  DpiScale& dpi = GlobalManager::Get().dpi();
  const int percent = DpiScale::PercentOfDpi(LOWORD(w_param));
  if (percent != dpi.percent()) {
    dpi = DpiScale(percent, dpi.aware());
    RescaleForDpi();
  }
  if (const auto* suggested = reinterpret_cast<const RECT*>(l_param)) {
    ::SetWindowPos(GetHWND(), nullptr, suggested->left, suggested->top, RectWidth(*suggested),
                   RectHeight(*suggested), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void WindowImplBase::OnFinalMessage(HWND hwnd) {
  Window::OnFinalMessage(hwnd);
  ReleaseTree();
  // A window whose creation failed still belongs to Create's caller (WB12).
  if (!IsInCreate()) delete this;
}

}  // namespace ui
