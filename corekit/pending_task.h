// One queued task of a message loop, and the order of the delayed queue.
#pragma once

#include <cstdint>

#include "corekit/task.h"

namespace corekit {

struct PendingTask {
  Task task;
  // TimeNow() microseconds from which the task may run; 0 for an immediate task.
  int64_t delayed_run_time = 0;
  // Assigned when the task enters the delayed queue; breaks ties between equal run times.
  int64_t sequence_num = 0;
  // False: the task may only run at the outermost run depth.
  bool nestable = true;
};

// Heap order of the delayed queue: true when |a| runs after |b|, so that a max-heap built
// with it keeps the earliest run time (and, for equal times, the lowest sequence number) on
// top.
struct RunsLater {
  bool operator()(const PendingTask& a, const PendingTask& b) const {
    if (a.delayed_run_time != b.delayed_run_time) return a.delayed_run_time > b.delayed_run_time;
    return a.sequence_num > b.sequence_num;
  }
};

}  // namespace corekit
