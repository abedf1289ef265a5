#include "corekit/win_ui_message_pump.h"

#include "corekit/time_now.h"

namespace corekit {
namespace {

constexpr int64_t kMinTimerMs = USER_TIMER_MINIMUM;  // 10
constexpr int64_t kMaxTimerMs = 0xFFFFFFFEll;

int64_t CeilMs(int64_t us) { return us >= 0 ? (us + 999) / 1000 : -((-us) / 1000); }

}  // namespace

WinUIMessagePump::WinUIMessagePump()
    : thread_id_(::GetCurrentThreadId()), window_(&WindowProc, this) {}

WinUIMessagePump::~WinUIMessagePump() {
  if (window_.hwnd()) ::KillTimer(window_.hwnd(), reinterpret_cast<UINT_PTR>(this));
}

void WinUIMessagePump::RunWithDispatcher(PumpDelegate* delegate, Dispatcher* dispatcher) {
  RunState state;
  state.delegate = delegate;
  state.dispatcher = dispatcher;
  state.run_depth = state_ ? state_->run_depth + 1 : 1;
  RunState* previous = state_;
  state_ = &state;
  DoRunLoop();
  state_ = previous;
}

void WinUIMessagePump::Quit() {
  if (state_) state_->should_quit = true;
}

void WinUIMessagePump::ScheduleWork() {
  if (have_work_.exchange(1) != 0) return;  // a have-work message is already queued
  const WPARAM self = reinterpret_cast<WPARAM>(this);
  const BOOL posted = window_.hwnd() ? ::PostMessageW(window_.hwnd(), kMsgHaveWork, self, 0)
                                     : ::PostThreadMessageW(thread_id_, kMsgHaveWork, self, 0);
  // A full queue must not leave the flag set, or no later post would ever wake the pump.
  if (!posted) have_work_.store(0);
}

void WinUIMessagePump::ScheduleDelayedWork(int64_t time) {
  delayed_work_time_ = time;
  if (!window_.hwnd()) return;
  int64_t delay_ms = GetCurrentDelay();
  if (delay_ms < kMinTimerMs) delay_ms = kMinTimerMs;
  if (delay_ms > kMaxTimerMs) delay_ms = kMaxTimerMs;
  ::SetTimer(window_.hwnd(), reinterpret_cast<UINT_PTR>(this), static_cast<UINT>(delay_ms),
             nullptr);
}

int64_t WinUIMessagePump::GetCurrentDelay() const {
  if (delayed_work_time_ == 0) return -1;
  const int64_t ms = CeilMs(delayed_work_time_ - TimeNow());
  return ms < 0 ? 0 : ms;
}

LRESULT CALLBACK WinUIMessagePump::WindowProc(HWND hwnd, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  // The pointer comes from our own user data, never from the message: a stray message
  // with a forged wParam must not be taken for a pump.
  auto* pump = reinterpret_cast<WinUIMessagePump*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (pump) {
    if (message == kMsgHaveWork && wparam == reinterpret_cast<WPARAM>(pump)) {
      pump->HandleWorkMessage();
    } else if (message == WM_TIMER && wparam == reinterpret_cast<WPARAM>(pump)) {
      pump->HandleTimerMessage();
    }
  }
  return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

void WinUIMessagePump::HandleWorkMessage() {
  if (!state_) {
    // Reached from a modal loop while no run is active: the next Run picks the work up.
    have_work_.store(0);
    return;
  }
  ProcessPumpReplacementMessage();
  if (state_->delegate->DoWork()) ScheduleWork();
}

void WinUIMessagePump::HandleTimerMessage() {
  ::KillTimer(window_.hwnd(), reinterpret_cast<UINT_PTR>(this));
  if (!state_) return;
  state_->delegate->DoDelayedWork(&delayed_work_time_);
  if (delayed_work_time_ != 0) ScheduleDelayedWork(delayed_work_time_);
}

void WinUIMessagePump::DoRunLoop() {
  for (;;) {
    bool more_work = ProcessNextWindowMessage();
    if (state_->should_quit) break;
    more_work |= state_->delegate->DoWork();
    if (state_->should_quit) break;
    more_work |= state_->delegate->DoDelayedWork(&delayed_work_time_);
    // Nothing delayed is left: a pending timer would only cause a spurious wake-up.
    if (more_work && delayed_work_time_ == 0 && window_.hwnd()) {
      ::KillTimer(window_.hwnd(), reinterpret_cast<UINT_PTR>(this));
    }
    if (state_->should_quit) break;
    if (more_work) continue;
    more_work = state_->delegate->DoIdleWork();
    if (state_->should_quit) break;
    if (more_work) continue;
    WaitForWork();
  }
}

void WinUIMessagePump::WaitForWork() {
  const int64_t delay = GetCurrentDelay();
  const DWORD timeout = delay < 0 ? INFINITE
                                  : static_cast<DWORD>(delay > kMaxTimerMs ? kMaxTimerMs : delay);
  const DWORD result =
      ::MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  if (result != WAIT_OBJECT_0) return;  // timed out (or failed): the loop re-examines its work
  // Mouse input can be reported while no mouse message is retrievable (it belongs to another
  // window's capture); without this the wait would return at once, over and over.
  MSG msg;
  const DWORD status = ::GetQueueStatus(QS_MOUSE);
  if ((HIWORD(status) & QS_MOUSE) &&
      !::PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE)) {
    ::WaitMessage();
  }
}

bool WinUIMessagePump::ProcessNextWindowMessage() {
  // Sent messages are delivered inside PeekMessage and are not returned by it; they still
  // count as work done.
  const bool sent_messages_waiting = (HIWORD(::GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE);
  MSG msg;
  if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return ProcessMessageHelper(msg);
  return sent_messages_waiting;
}

bool WinUIMessagePump::IsHaveWorkMessage(const MSG& msg) const {
  return msg.message == kMsgHaveWork && msg.hwnd == window_.hwnd() &&
         msg.wParam == reinterpret_cast<WPARAM>(this);
}

bool WinUIMessagePump::ProcessMessageHelper(const MSG& msg) {
  if (msg.message == WM_QUIT) {
    state_->should_quit = true;
    ::PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  if (IsHaveWorkMessage(msg)) return ProcessPumpReplacementMessage();
  if (::CallMsgFilterW(const_cast<MSG*>(&msg), kMessageFilterCode)) return true;
  if (!state_->dispatcher) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  } else if (!state_->dispatcher->Dispatch(msg)) {
    state_->should_quit = true;
  }
  return true;
}

bool WinUIMessagePump::ProcessPumpReplacementMessage() {
  MSG msg;
  const bool have_message = ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE;
  have_work_.store(0);
  if (!have_message) return false;
  // Another have-work message goes to the back of the queue before the removed message is
  // handled, so that a long message handler cannot stall the tasks behind it.
  ScheduleWork();
  return ProcessMessageHelper(msg);
}

}  // namespace corekit
