#include "corekit/message_pump_window.h"

namespace corekit {
namespace {

// The module that holds this code (the exe when linked statically), not necessarily the one
// that started the process.
HINSTANCE OwnModule() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&OwnModule), &module);
  return module;
}

}  // namespace

MessagePumpWindow::MessagePumpWindow(WNDPROC window_proc, void* user_data)
    : instance_(OwnModule()) {
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = window_proc;
  window_class.hInstance = instance_;
  window_class.lpszClassName = kClassName;
  if (!::RegisterClassExW(&window_class) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return;
  }
  hwnd_ = ::CreateWindowExW(0, kClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            instance_, nullptr);
  if (hwnd_) ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(user_data));
}

MessagePumpWindow::~MessagePumpWindow() {
  if (hwnd_) {
    // Messages still queued for the window must not reach a pump that is going away.
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
  ::UnregisterClassW(kClassName, instance_);
}

}  // namespace corekit
