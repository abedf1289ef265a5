#include "ui/core/ui_timer.h"

#include <utility>

#include "corekit/message_loop.h"

namespace ui {

bool PostDelayedUiTask(corekit::Task task, int delay_ms) {
  corekit::MessageLoop* loop = corekit::MessageLoop::Current();
  if (loop == nullptr) return false;
  loop->PostDelayedTask(std::move(task), static_cast<int64_t>(delay_ms) * 1000);
  return true;
}

}  // namespace ui
