// Records the progress install steps report through ReportProgress while it lives, whatever
// thread reports. One recorder at a time; it installs itself as the progress sink and
// removes itself again.
#pragma once

#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

#include "installer/work_item.h"

namespace vireo::test {

class ScopedProgressRecorder {
 public:
  using Report = std::pair<SETUP_PROGRESS, float>;

  ScopedProgressRecorder() {
    Current().store(this);
    SetProgressSink(&Record);
  }
  ~ScopedProgressRecorder() {
    SetProgressSink(nullptr);
    Current().store(nullptr);
  }
  ScopedProgressRecorder(const ScopedProgressRecorder&) = delete;
  ScopedProgressRecorder& operator=(const ScopedProgressRecorder&) = delete;

  std::vector<Report> reports() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return reports_;
  }
  // The percents reported for |stage|, in order.
  std::vector<float> percents(SETUP_PROGRESS stage) const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<float> out;
    for (const Report& r : reports_) {
      if (r.first == stage) out.push_back(r.second);
    }
    return out;
  }
  void clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    reports_.clear();
  }

 private:
  static std::atomic<ScopedProgressRecorder*>& Current() {
    static std::atomic<ScopedProgressRecorder*> current{nullptr};
    return current;
  }
  static void Record(SETUP_PROGRESS stage, float percent) {
    ScopedProgressRecorder* self = Current().load();
    if (!self) return;
    std::lock_guard<std::mutex> lock(self->mutex_);
    self->reports_.emplace_back(stage, percent);
  }

  mutable std::mutex mutex_;
  std::vector<Report> reports_;
};

}  // namespace vireo::test
