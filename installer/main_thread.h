// The main thread, id 1: runs the user-interface loop, starts the worker thread, loads the
// options, posts the usage report and either the silent install or opens the window (whose
// first paint the report waits for, so it does not compete with the window for the cores);
// receives progress and the result; cleans up update leftovers after its loop ends.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "corekit/framework_thread.h"
#include "corekit/weak_callback.h"
#include "installer/install_reporting.h"
#include "installer/install_window.h"
#include "installer/misc_thread.h"

namespace vireo {

class CSingleInstance;

class CMainThread : public corekit::FrameworkThread, public CInstallObserver {
 public:
  static CMainThread& Get();

  // The window a run without "silent" shows; set before the thread runs. Without one such a
  // run ends with 1.
  void SetInstallWindow(std::unique_ptr<IInstallWindow> window);
  // Posts the install driver to the worker thread; nothing when there is no worker.
  void BeginInstall();

  void OnProgress(SETUP_PROGRESS stage, float percent) override;
  void OnInstallResult(bool success, std::wstring message, bool ran_steps) override;

  // The one-installer lock of this process (owned by the entry point, which outlives the
  // loop). A window run that does not hold it yet shows its window waiting and takes the
  // lock as soon as it is free, re-reading the options then.
  void SetInstanceLock(CSingleInstance* lock) { instance_lock_ = lock; }

  // The process exit status, final once the thread body has returned: the quit code the
  // main loop last ended with (0 when the window closed), raised to 1 when an install run
  // on the worker failed.
  int exit_code() const { return exit_code_; }

 protected:
  void Init() override;
  void Cleanup() override;

 private:
  CMainThread();
  ~CMainThread() override;
  void QuitWithCode(int code);
  // A window that cannot be created ends the run with 1 rather than leaving a process with
  // nothing on screen. An install window behind another run starts out waiting for it.
  void ShowInstallWindow();
  // Tries the lock every 100 ms until it is taken, then lets the install window install.
  void WaitForTurn();
  // Posts the usage report to the worker once; the install driver always comes after it.
  void PostUsageEvent();

  std::unique_ptr<CMiscThread> misc_thread_;
  std::unique_ptr<IInstallWindow> install_window_;
  CSingleInstance* instance_lock_ = nullptr;
  bool usage_posted_ = false;
  int exit_code_ = 0;
};

}  // namespace vireo
