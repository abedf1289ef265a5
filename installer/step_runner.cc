#include "installer/step_runner.h"

#include "installer/installer_strings.h"
#include "support/install_log.h"

namespace vireo {

namespace {

void RollBack(const StepList& done) {
  bool complete = true;
  for (auto it = done.rbegin(); it != done.rend(); ++it) {
    (*it)->RollbackImpl();
    complete = (*it)->rollback_complete() && complete;
  }
  CInstallLog::Get().Write(complete ? kRollbackCompleteLog : kRollbackIncompleteLog);
}

}  // namespace

InstallResult RunSteps(const StepList& steps, const FinishRun& finish) {
  InstallResult result;
  result.success = true;
  result.ran_steps = true;
  StepList done;
  done.reserve(steps.size());
  for (const auto& step : steps) {
    done.push_back(step);
    if (step->DoImpl()) continue;
    result.success = false;
    result.message = step->error_text().empty() ? kInstallFailedMessage : step->error_text();
    CInstallLog::Get().Write(L"[install] step failed: %s", result.message.c_str());
    break;
  }
  if (result.success && finish) result.success = finish(&result.message);
  if (!result.success) RollBack(done);
  return result;
}

}  // namespace vireo
