// The install driver: checks the application folder, closes the running browser when the run
// is not silent, and runs the install steps with rollback.
#pragma once

#include <functional>

#include "installer/install_reporting.h"
#include "installer/step_runner.h"

namespace vireo {

class CInstall {
 public:
  using StepFactory = std::function<StepList()>;

  // Runs the whole install on the worker thread, reports one result to thread 1 and returns
  // it too: a result posted after thread 1's loop has ended is never delivered.
  InstallResult Run();

  // The run itself, without reporting: path check (a refusal is logged and returned with
  // ran_steps false), closing the browser unless silent, the step list of the mode with
  // rollback, and the ".portable" marker after a successful portable run.
  InstallResult Execute();

  // Tests replace the step list; an empty factory restores the real one.
  static void SetStepFactoryForTesting(StepFactory factory);

  // Ends the running browser: asks every "vireo.exe" window of class "Chrome_WidgetWin_1" to
  // close, waits up to 3 s, then terminates what is left. In a portable run only copies below
  // the application folder are touched (exit code 1); otherwise every vireo.exe with all its
  // descendants (exit code 0). Never ends the installer's own process. Logs nothing, never
  // fails, blocks for a bounded time only.
  static void KillProcesses();
};

}  // namespace vireo
