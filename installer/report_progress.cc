#include <atomic>

#include "installer/work_item.h"

namespace vireo {
namespace {
std::atomic<ProgressSink> g_sink{nullptr};
}  // namespace

void SetProgressSink(ProgressSink sink) { g_sink.store(sink); }

void ReportProgress(SETUP_PROGRESS stage, float percent) {
  if (ProgressSink sink = g_sink.load()) sink(stage, percent);
}

}  // namespace vireo
