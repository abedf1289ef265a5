// The contract every install step implements, and the progress stages steps report.
#pragma once

#include <string>

namespace vireo {

enum SETUP_PROGRESS {
  PROGRESS_UNZIP = 0,
  PROGRESS_DIR = 1,
  PROGRESS_SHORTCUT = 2,
  PROGRESS_REG = 3,
  PROGRESS_DONE = 4,
  PROGRESS_UNINSTALL_REG = 5,
  PROGRESS_UNINSTALL_SHORTCUT = 6,
  PROGRESS_UNINSTALL_DIR = 7,
};

class CWorkItem {
 public:
  virtual ~CWorkItem() = default;
  // Carries out the step; true on success. On failure leaves a user-facing message in
  // error_text_ and returns false, possibly after doing part of its work. Never throws.
  virtual bool DoImpl() = 0;
  // Undoes whatever DoImpl did, including a DoImpl that failed half-way or did nothing.
  virtual void RollbackImpl() = 0;

  const std::wstring& error_text() const { return error_text_; }

 protected:
  std::wstring error_text_;
};

// Posts (stage, percent) to the main thread (id 1) as a weak callback to the main thread
// object; dropped when thread 1 or that object is gone. Safe on any thread.
void ReportProgress(SETUP_PROGRESS stage, float percent);

}  // namespace vireo

namespace vireo {

// Where ReportProgress delivers. The main thread installs its poster at start-up; tests may
// install a recorder. With no sink installed, reports are dropped.
using ProgressSink = void (*)(SETUP_PROGRESS stage, float percent);
void SetProgressSink(ProgressSink sink);

}  // namespace vireo
