// The message-only window through which a user-interface pump is woken.
//
// The window class "MessagePumpWindow" is registered with the pump's window procedure; the
// window has no title, style 0, zero size and the system's message-only parent, so it never
// shows and receives no broadcasts. Several pumps in one process share the class (the
// procedure finds its pump in the window's user data). The destructor destroys the window
// and unregisters the class, which fails harmlessly while another pump's window exists.
#pragma once

#include <windows.h>

namespace corekit {

class MessagePumpWindow {
 public:
  static constexpr const wchar_t* kClassName = L"MessagePumpWindow";

  // Creates the window on the calling thread and stores |user_data| in GWLP_USERDATA.
  // hwnd() is null when the class or the window could not be created.
  MessagePumpWindow(WNDPROC window_proc, void* user_data);
  ~MessagePumpWindow();
  MessagePumpWindow(const MessagePumpWindow&) = delete;
  MessagePumpWindow& operator=(const MessagePumpWindow&) = delete;

  HWND hwnd() const { return hwnd_; }

 private:
  HINSTANCE instance_ = nullptr;
  HWND hwnd_ = nullptr;
};

}  // namespace corekit
