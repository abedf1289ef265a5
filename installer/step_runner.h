// Runs install steps in order and undoes them in reverse order when one fails.
#pragma once

#include <memory>
#include <vector>

#include "installer/install_reporting.h"
#include "installer/work_item.h"

namespace vireo {

using StepList = std::vector<std::shared_ptr<CWorkItem>>;

// Each step joins the done list before its DoImpl runs, so a step that fails half-way is
// rolled back too: the failed one first, then the earlier ones. Steps after the failing
// one are never started. The result carries the first failure's message (or the generic
// one when the step left none); it is logged as "[install] step failed: %s".
InstallResult RunSteps(const StepList& steps);

}  // namespace vireo
