// Runs install steps in order and undoes them in reverse order when one fails.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "installer/install_reporting.h"
#include "installer/work_item.h"

namespace vireo {

using StepList = std::vector<std::shared_ptr<CWorkItem>>;

// Work that completes a run once every step has succeeded (the portable marker): false with
// a message (already logged) makes the run fail and roll back like a failed step.
using FinishRun = std::function<bool(std::wstring* message)>;

// Each step joins the done list before its DoImpl runs, so a step that fails half-way is
// rolled back too: the failed one first, then the earlier ones. Steps after the failing
// one are never started. The result carries the first failure's message (or the generic
// one when the step left none); a step's failure is logged as "[install] step failed: %s".
// A roll-back always ends the log with kRollbackCompleteLog or kRollbackIncompleteLog.
InstallResult RunSteps(const StepList& steps, const FinishRun& finish = {});

}  // namespace vireo
