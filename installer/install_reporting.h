// How the driver's progress and result reach the main thread: as tasks posted to thread 1,
// each a weak callback bound to the registered observer (the main thread object), so a
// report that arrives after the observer is gone does nothing.
#pragma once

#include <string>

#include "corekit/weak_callback.h"
#include "installer/work_item.h"

namespace vireo {

struct InstallResult {
  bool success = false;
  std::wstring message;    // empty on success
  bool ran_steps = false;  // false when the path check stopped the run before any step
};

class CInstallObserver : public virtual corekit::SupportWeakCallback {
 public:
  virtual void OnProgress(SETUP_PROGRESS stage, float percent) = 0;
  virtual void OnInstallResult(bool success, std::wstring message, bool ran_steps) = 0;

 protected:
  ~CInstallObserver() = default;
};

// Registers the receiver of reports (on thread 1, before any work is posted); nullptr
// unregisters. Also routes ReportProgress to it.
void SetInstallObserver(CInstallObserver* observer);

// Posts the result to thread 1; dropped when thread 1 or the observer is gone.
void ReportInstallResult(const InstallResult& result);

}  // namespace vireo
