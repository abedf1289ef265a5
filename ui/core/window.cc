// Window: creation, the class procedure, the control tree and message dispatch.
#include "ui/core/window.h"

#include <algorithm>
#include <utility>

#include "ui/core/box.h"
#include "ui/core/global_renderer.h"
#include "ui/core/ui_timer.h"
#include "ui/markup/skin_path.h"
#include "ui/render/render_context.h"

namespace ui {

Window::Window() = default;

Window::~Window() {
  if (hwnd_ != nullptr && ::IsWindow(hwnd_)) {
    // The native window must not reach this object any more.
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
  hwnd_ = nullptr;
  ReleaseTree();
}

std::wstring Window::GetWindowClassName() const { return L"UIWindow"; }

bool Window::RegisterWindowClass() {
  const std::wstring name = GetWindowClassName();
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = GetClassStyle();
  wc.lpfnWndProc = &Window::WndProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name.c_str();
  if (::RegisterClassExW(&wc) != 0) return true;
  return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND Window::Create(HWND parent, const wchar_t* title, DWORD style, DWORD ex_style, const RECT& rc) {
  if (hwnd_ != nullptr || !RegisterWindowClass()) return nullptr;
  const std::wstring name = GetWindowClassName();
  in_create_ = true;
  HWND hwnd = ::CreateWindowExW(ex_style, name.c_str(), title != nullptr ? title : L"", style,
                                rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, parent,
                                nullptr, ::GetModuleHandleW(nullptr), this);
  in_create_ = false;
  if (hwnd == nullptr) return nullptr;
  const LONG current = ::GetWindowLongW(hwnd, GWL_STYLE);
  if ((current & WS_CAPTION) != 0) ::SetWindowLongW(hwnd, GWL_STYLE, current & ~WS_CAPTION);
  return hwnd;
}

LRESULT CALLBACK Window::WndProc(HWND hwnd, UINT msg, WPARAM w_param, LPARAM l_param) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(l_param);
    self = static_cast<Window*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY && self != nullptr) {
      const LRESULT result = ::DefWindowProcW(hwnd, msg, w_param, l_param);
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
      self->accessible_.reset();  // screen readers holding the object are cut off (WN13)
      self->OnFinalMessage(hwnd);  // may delete |self|
      return result;
    }
  }
  if (self == nullptr) return ::DefWindowProcW(hwnd, msg, w_param, l_param);
  return self->HandleMessage(msg, w_param, l_param);
}

LRESULT Window::CallDefaultProc(UINT msg, WPARAM w_param, LPARAM l_param) {
  return ::DefWindowProcW(hwnd_, msg, w_param, l_param);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM w_param, LPARAM l_param) {
  LRESULT result = 0;
  if (HandleOwnMessage(msg, w_param, l_param, &result)) return result;
  return CallDefaultProc(msg, w_param, l_param);
}

void Window::OnFinalMessage(HWND /*hwnd*/) {}

void Window::InitWnd() {
  if (IRenderFactory* factory = GetGlobalRenderFactory()) render_ = factory->CreateRenderContext();
}

void Window::Close(UINT result) {
  if (hwnd_ == nullptr) return;
  if (root_) {
    root_->SetFadeVisible(false);
    auto post = ToWeakCallback([this, result] {
      if (hwnd_ != nullptr) ::PostMessageW(hwnd_, WM_CLOSE, result, 0);
    });
    if (PostDelayedUiTask(post, kCloseDelayMs)) return;
  }
  ::PostMessageW(hwnd_, WM_CLOSE, result, 0);
}

void Window::ShowWindow(bool show, bool take_focus) {
  if (hwnd_ == nullptr || !::IsWindow(hwnd_)) return;
  ::ShowWindow(hwnd_, show ? (take_focus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

void Window::ActiveWindow() {
  if (hwnd_ == nullptr) return;
  if (::IsIconic(hwnd_)) {
    ::ShowWindow(hwnd_, SW_RESTORE);
  } else if (!::IsWindowVisible(hwnd_)) {
    ::ShowWindow(hwnd_, SW_SHOW);
  }
  ::SetForegroundWindow(hwnd_);
}

void Window::SetTaskbarTitle(const std::wstring& title) {
  if (hwnd_ != nullptr) ::SetWindowTextW(hwnd_, title.c_str());
}

void Window::SetIcon(UINT id) {
  if (hwnd_ == nullptr) return;
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const struct {
    WPARAM which;
    int cx;
    int cy;
  } icons[] = {{ICON_BIG, SM_CXICON, SM_CYICON}, {ICON_SMALL, SM_CXSMICON, SM_CYSMICON}};
  for (const auto& icon : icons) {
    // Shared: the system owns the icon, nothing to destroy.
    HANDLE handle = ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                 ::GetSystemMetrics(icon.cx), ::GetSystemMetrics(icon.cy),
                                 LR_DEFAULTCOLOR | LR_SHARED);
    if (handle != nullptr) {
      ::SendMessageW(hwnd_, WM_SETICON, icon.which, reinterpret_cast<LPARAM>(handle));
    }
  }
}

bool Window::AttachDialog(std::unique_ptr<Control> root) {
  auto* box = dynamic_cast<Box*>(root.get());
  if (box == nullptr) return false;
  focus_ = hot_ = captured_ = key_target_ = shown_page_ = page_focus_ = nullptr;
  if (root_) AddDelayedCleanup(std::move(root_));
  names_.clear();
  root.release();
  root_.reset(box);
  InitControls(box, nullptr);
  layout_needed_ = true;
  first_paint_ = true;
  if (hwnd_ != nullptr) ::InvalidateRect(hwnd_, nullptr, FALSE);
  return true;
}

void Window::InitControls(Control* control, Box* parent) {
  if (control == nullptr) return;
  control->SetWindow(this, parent);
  control->ForEachControl([this](Control* c) {
    if (!c->GetName().empty()) names_[c->GetName()] = c;
  });
}

Control* Window::FindControl(const std::wstring& name) const {
  auto it = names_.find(name);
  return it == names_.end() ? nullptr : it->second;
}

Control* Window::FindControl(POINT pt) const {
  return root_ ? root_->FindControlAt(pt) : nullptr;
}

void Window::ReapObjects(Control* control) {
  if (focus_ == control) focus_ = nullptr;
  if (hot_ == control) hot_ = nullptr;
  if (captured_ == control) captured_ = nullptr;
  if (key_target_ == control) key_target_ = nullptr;
  if (shown_page_ == control) shown_page_ = nullptr;
  if (page_focus_ == control) page_focus_ = nullptr;
  auto it = names_.find(control->GetName());
  if (it != names_.end() && it->second == control) names_.erase(it);
}

void Window::AddDelayedCleanup(std::unique_ptr<Control> control) {
  if (!control) return;
  delayed_cleanup_.push_back(std::move(control));
  if (hwnd_ != nullptr) ::PostMessageW(hwnd_, kDelayedCleanupMessage, 0, 0);
}

void Window::ReleaseTree() {
  focus_ = hot_ = captured_ = key_target_ = shown_page_ = page_focus_ = nullptr;
  // Destroyed while the name table still exists: each control forgets itself (WN4).
  root_.reset();
  delayed_cleanup_.clear();
  names_.clear();
}

void Window::SendNotify(Control* control, EventType type, WPARAM w_param, LPARAM l_param) {
  SendEvent(control, type, last_mouse_pos_, w_param, l_param);
}

void Window::SendEvent(Control* control, EventType type, POINT pt, WPARAM w_param,
                       LPARAM l_param, wchar_t key) {
  if (control == nullptr) return;
  EventArgs args = MakeEventArgs(type, control, pt, w_param, l_param, key);
  control->HandleMessageTemplate(args);
}

void Window::Invalidate(const RECT& rc) {
  if (hwnd_ == nullptr) return;
  ::InvalidateRect(hwnd_, &rc, FALSE);
}

void Window::RequestLayout() { layout_needed_ = true; }

void Window::OnInitLayout() {
  // Controls here have no fade animation: showing the root is all the first paint needs.
  if (root_) root_->SetFadeVisible(true);
}

void Window::AddMessageFilter(IUIMessageFilter* filter) {
  if (filter != nullptr && std::find(filters_.begin(), filters_.end(), filter) == filters_.end()) {
    filters_.push_back(filter);
  }
}

void Window::RemoveMessageFilter(IUIMessageFilter* filter) {
  filters_.erase(std::remove(filters_.begin(), filters_.end(), filter), filters_.end());
}

void Window::SetResourcePath(const std::wstring& path) { resource_path_ = WithTrailingSlash(path); }

bool Window::HandleOwnMessage(UINT msg, WPARAM w_param, LPARAM l_param, LRESULT* result) {
  if (msg != WM_MOUSEMOVE && !filters_.empty()) {
    // A copy: a filter may remove itself.
    const std::vector<IUIMessageFilter*> filters = filters_;
    for (IUIMessageFilter* filter : filters) {
      bool handled = false;
      const LRESULT answer = filter->MessageHandler(msg, w_param, l_param, handled);
      if (handled) {
        *result = answer;
        return true;
      }
    }
  }
  switch (msg) {
    case WM_PAINT:
      OnPaint();
      return true;
    case WM_ERASEBKGND:
      *result = 1;
      return true;
    case WM_SIZE:
      OnSizeMessage();
      return false;
    case WM_CLOSE:
      OnCloseMessage();
      return false;
    case WM_SETCURSOR:
      if (!OnSetCursor(w_param, l_param)) return false;
      *result = TRUE;
      return true;
    case kDelayedCleanupMessage:
      delayed_cleanup_.clear();
      return true;
    default:
      break;
  }
  if (HandleAccessibilityMessage(msg, w_param, l_param, result)) return true;
  if (HandleMouseMessage(msg, w_param, l_param)) return true;
  return HandleKeyMessage(msg, w_param, l_param);
}

void Window::OnSizeMessage() {
  if (focus_ != nullptr) SendNotify(focus_, kEventWindowSize);
  if (root_) root_->Arrange();
  layout_needed_ = true;
}

void Window::OnCloseMessage() {
  const POINT outside = {-1, -1};
  if (Control* hot = hot_) {
    hot_ = nullptr;
    SendEvent(hot, kEventMouseLeave, outside);
  }
  if (Control* captured = captured_) {
    captured_ = nullptr;
    SendEvent(captured, kEventMouseButtonUp, outside);
  }
  SetFocus(nullptr);
  if (HWND owner = ::GetWindow(hwnd_, GW_OWNER)) ::SetFocus(owner);
}

}  // namespace ui
