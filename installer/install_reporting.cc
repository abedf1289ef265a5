#include "installer/install_reporting.h"

#include <atomic>

#include "corekit/thread_registry.h"
#include "installer/product_constants.h"

namespace vireo {
namespace {

std::atomic<CInstallObserver*> g_observer{nullptr};

void PostProgress(SETUP_PROGRESS stage, float percent) {
  CInstallObserver* observer = g_observer.load();
  if (!observer) return;
  corekit::ThreadRegistry::PostTask(
      kMainThreadId, observer->ToWeakCallback([observer, stage, percent] { observer->OnProgress(stage, percent); }));
}

}  // namespace

void SetInstallObserver(CInstallObserver* observer) {
  // The weak flag is made here, on thread 1, so that the worker thread only ever reads it.
  if (observer) observer->GetWeakFlag();
  g_observer.store(observer);
  SetProgressSink(observer ? &PostProgress : nullptr);
}

void ReportInstallResult(const InstallResult& result) {
  CInstallObserver* observer = g_observer.load();
  if (!observer) return;
  corekit::ThreadRegistry::PostTask(kMainThreadId, observer->ToWeakCallback([observer, result] {
    observer->OnInstallResult(result.success, result.message, result.ran_steps);
  }));
}

}  // namespace vireo
