// The toolkit's timer service: the UI thread's message loop runs delayed tasks, so an
// animation step or a delayed close is a task posted to the calling thread's loop. Wrap
// tasks that touch an object in that object's weak callback, so a task that outlives its
// object does nothing.
#pragma once

#include "corekit/task.h"

namespace ui {

// Posts |task| to the calling thread's message loop to run |delay_ms| from now. False when
// the thread has no message loop: the task is dropped without running.
bool PostDelayedUiTask(corekit::Task task, int delay_ms);

}  // namespace ui
