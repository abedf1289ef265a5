// The pump of a thread that owns windows: tasks interleave with window messages.
//
// Rules:
//  UP1. Wake-up is one have-work message, kMsgHaveWork (WM_USER + 1), posted to the pump's
//      message-only window with wParam = the pump. An atomic flag keeps at most one of them
//      in the thread's queue however many tasks are posted.
//  UP2. Replacement: when the pump takes the have-work message it first removes the next
//      message of any kind, clears the flag, and re-posts a have-work message only if there
//      was such a message, which it then handles. A stream of posted tasks therefore cannot
//      starve window messages, and window messages cannot starve tasks.
//  UP3. The window procedure does the work too (have-work message: one task; WM_TIMER: one
//      delayed task), so tasks keep running while a system modal loop (a message box, the
//      folder picker) dispatches messages on the thread — provided the loop allows nestable
//      tasks at that moment (see MessageLoop rule ML4).
//  UP4. Delayed work uses the window's timer (id = the pump) set to the time until the
//      earliest delayed task, rounded up, clamped to [10 ms, 2^32 - 2 ms]; the pump's own
//      loop additionally wakes on that time-out.
//  UP5. WM_QUIT ends the innermost run and is posted again for an enclosing loop. A
//      dispatcher that declines a message ends the run as well.
//  UP6. Message hooks (CallMsgFilter with code kMessageFilterCode) see each message first.
//  UP7. Without a window (creation failed) the have-work message goes to the thread's queue;
//      tasks then run only from the pump's own loop, not inside modal loops.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "corekit/dispatcher.h"
#include "corekit/message_pump.h"
#include "corekit/message_pump_window.h"

namespace corekit {

class WinUIMessagePump : public MessagePump {
 public:
  static constexpr UINT kMsgHaveWork = WM_USER + 1;
  static constexpr int kMessageFilterCode = 0x5001;

  // Creates the pump window on the calling thread, which is the thread the pump serves.
  WinUIMessagePump();
  ~WinUIMessagePump() override;

  void Run(PumpDelegate* delegate) override { RunWithDispatcher(delegate, nullptr); }
  // As Run(), handing every window message to |dispatcher| (may be null).
  void RunWithDispatcher(PumpDelegate* delegate, Dispatcher* dispatcher);
  void Quit() override;
  void ScheduleWork() override;
  void ScheduleDelayedWork(int64_t time) override;

  HWND window_for_testing() const { return window_.hwnd(); }

 protected:
  virtual void DoRunLoop();

 private:
  struct RunState {
    PumpDelegate* delegate = nullptr;
    Dispatcher* dispatcher = nullptr;
    bool should_quit = false;
    int run_depth = 0;
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void HandleWorkMessage();
  void HandleTimerMessage();
  bool ProcessNextWindowMessage();
  bool ProcessMessageHelper(const MSG& msg);
  bool ProcessPumpReplacementMessage();
  bool IsHaveWorkMessage(const MSG& msg) const;
  void WaitForWork();
  // Milliseconds until the delayed work time; -1 when there is none.
  int64_t GetCurrentDelay() const;

  const DWORD thread_id_;
  MessagePumpWindow window_;
  std::atomic<LONG> have_work_{0};
  int64_t delayed_work_time_ = 0;
  RunState* state_ = nullptr;
};

}  // namespace corekit
