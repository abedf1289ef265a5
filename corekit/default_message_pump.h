// The pump of a thread without windows: it sleeps on an auto-reset event.
//
// Run() repeats DoWork / DoDelayedWork / DoIdleWork while any of them did something, then
// waits on the event: without a time limit when no delayed task is pending, otherwise until
// the earliest delayed run time (rounded up to the next whole millisecond, so it never wakes
// early on purpose). ScheduleWork() signals the event from any thread.
#pragma once

#include <cstdint>

#include "corekit/message_pump.h"
#include "corekit/waitable_event.h"

namespace corekit {

class DefaultMessagePump : public MessagePump {
 public:
  DefaultMessagePump() = default;
  ~DefaultMessagePump() override = default;

  void Run(PumpDelegate* delegate) override;
  void Quit() override;
  void ScheduleWork() override;
  void ScheduleDelayedWork(int64_t time) override;

 private:
  void WaitForWork();

  WaitableEvent event_;
  bool should_quit_ = false;
  int64_t delayed_work_time_ = 0;  // 0 = no delayed work pending
};

}  // namespace corekit
