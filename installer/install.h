// The install driver: checks the application folder, closes the running browser when the run
// is not silent, and runs the install steps with rollback.
#pragma once

namespace vireo {

class CInstall {
 public:
  // Runs the whole install on the worker thread and reports one result.
  void Run();

  // Ends the running browser: asks every "vireo.exe" window of class "Chrome_WidgetWin_1" to
  // close, waits up to 3 s, then terminates what is left. In a portable run only copies below
  // the application folder are touched (exit code 1); otherwise every vireo.exe with all its
  // descendants (exit code 0). Never ends the installer's own process. Logs nothing, never
  // fails, blocks for a bounded time only.
  static void KillProcesses();
};

}  // namespace vireo
