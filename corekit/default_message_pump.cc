#include "corekit/default_message_pump.h"

#include "corekit/time_now.h"

namespace corekit {

void DefaultMessagePump::Run(PumpDelegate* delegate) {
  for (;;) {
    bool did_work = delegate->DoWork();
    if (should_quit_) break;
    did_work |= delegate->DoDelayedWork(&delayed_work_time_);
    if (should_quit_) break;
    if (did_work) continue;
    did_work = delegate->DoIdleWork();
    if (should_quit_) break;
    if (did_work) continue;
    WaitForWork();
  }
  // The flag belongs to the run that just ended; an enclosing run goes on.
  should_quit_ = false;
}

void DefaultMessagePump::WaitForWork() {
  if (delayed_work_time_ == 0) {
    event_.Wait();
    return;
  }
  const int64_t delay_us = delayed_work_time_ - TimeNow();
  if (delay_us > 0) {
    const int64_t delay_ms = (delay_us + 999) / 1000;
    event_.TimedWait(delay_ms >= INFINITE ? INFINITE - 1 : static_cast<DWORD>(delay_ms));
  } else {
    // Due now: the next pass of DoDelayedWork runs it and reports the next time.
    delayed_work_time_ = 0;
  }
}

void DefaultMessagePump::Quit() { should_quit_ = true; }

void DefaultMessagePump::ScheduleWork() { event_.Signal(); }

void DefaultMessagePump::ScheduleDelayedWork(int64_t time) { delayed_work_time_ = time; }

}  // namespace corekit
