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

// How a failed step ends a run. An install stops and rolls back; an uninstall carries out
// every step all the same (what it removed cannot be put back, and what a later step removes
// should not stay behind because an earlier one failed) and rolls nothing back.
enum class StepPolicy { kStopAndRollBack, kAttemptAll };

// Each step joins the done list before its DoImpl runs, so a step that fails half-way is
// rolled back too: the failed one first, then the earlier ones. Steps after the failing
// one are never started. The result carries the first failure's message (or the generic
// one when the step left none); a step's failure is logged as "[install] step failed: %s".
// A roll-back always ends the log with kRollbackCompleteLog or kRollbackIncompleteLog.
// With kAttemptAll every step runs, the result still carries the first failure, and there
// is no roll-back.
InstallResult RunSteps(const StepList& steps, const FinishRun& finish = {},
                       StepPolicy policy = StepPolicy::kStopAndRollBack);

}  // namespace vireo
