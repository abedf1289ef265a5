// The interface between a message loop and whatever makes its thread wait for work.
//
// A pump owns the waiting: it calls back into its delegate (the loop) to do work and sleeps
// when the delegate reports that nothing was done. All calls except ScheduleWork come from
// the loop's own thread.
#pragma once

#include <cstdint>

namespace corekit {

class PumpDelegate {
 public:
  virtual ~PumpDelegate() = default;
  // Runs at most one immediate task; true when it did something.
  virtual bool DoWork() = 0;
  // Runs at most one due delayed task. |next_time| receives the run time of the earliest
  // remaining delayed task (TimeNow() microseconds), or 0 when there is none.
  virtual bool DoDelayedWork(int64_t* next_time) = 0;
  // Runs deferred non-nestable work, or tells the pump to quit when a quit is pending.
  virtual bool DoIdleWork() = 0;
};

class MessagePump {
 public:
  virtual ~MessagePump() = default;
  // Runs until Quit(); may be called again from inside a task (nested run).
  virtual void Run(PumpDelegate* delegate) = 0;
  // Ends the innermost Run() after the current pass.
  virtual void Quit() = 0;
  // Wakes the pump to call DoWork(). Thread-safe: the only call made from other threads.
  virtual void ScheduleWork() = 0;
  // Asks for DoDelayedWork() at |time| (TimeNow() microseconds).
  virtual void ScheduleDelayedWork(int64_t time) = 0;
};

}  // namespace corekit
