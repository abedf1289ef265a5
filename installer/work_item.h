// The contract every install step implements, and the progress stages steps report.
#pragma once

#include <string>
#include <vector>

#include "support/replaced_files.h"

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
  // Whatever it cannot put back it reports through NoteRollbackFailure and leaves where it
  // is (a set-aside copy is never deleted then).
  virtual void RollbackImpl() = 0;

  const std::wstring& error_text() const { return error_text_; }
  // False once the roll-back left something it could not put back.
  bool rollback_complete() const { return rollback_complete_; }

 protected:
  // Logs kRollbackItemFailedLog with |path| and the system's |error| and marks the
  // roll-back incomplete.
  void NoteRollbackFailure(const std::wstring& path, unsigned long error);
  void NoteRollbackFailures(const std::vector<RestoreFailure>& failures);

  std::wstring error_text_;

 private:
  bool rollback_complete_ = true;
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
