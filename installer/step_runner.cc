#include "installer/step_runner.h"

#include "installer/installer_strings.h"
#include "support/install_log.h"

namespace vireo {

InstallResult RunSteps(const StepList& steps) {
  InstallResult result;
  result.success = true;
  result.ran_steps = true;
  StepList done;
  done.reserve(steps.size());
  for (const auto& step : steps) {
    done.push_back(step);
    if (!step->DoImpl()) {
      result.success = false;
      result.message = step->error_text().empty() ? kInstallFailedMessage : step->error_text();
      CInstallLog::Get().Write(L"[install] step failed: %s", result.message.c_str());
      break;
    }
  }
  if (!result.success) {
    for (auto it = done.rbegin(); it != done.rend(); ++it) (*it)->RollbackImpl();
  }
  return result;
}

}  // namespace vireo
