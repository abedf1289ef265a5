// The main thread, id 1: runs the user-interface loop, starts the worker thread, loads the
// options, posts the usage report and either the silent install or opens the window;
// receives progress and the result; cleans up update leftovers after its loop ends.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "corekit/framework_thread.h"
#include "corekit/weak_callback.h"
#include "installer/install_reporting.h"
#include "installer/misc_thread.h"

namespace vireo {

class CSingleInstance;
class CUIFrame;

class CMainThread : public corekit::FrameworkThread, public CInstallObserver {
 public:
  static CMainThread& Get();

  // Posts the install driver to the worker thread; nothing when there is no worker.
  void BeginInstall();
  // Opens the skin from the executable's resources, starts the toolkit (DPI-aware) and
  // shows the install window, or for an uninstall the uninstall window, in the foreground. A window that cannot be created (its skin
  // failed to build, and the toolkit said so in a box) is logged and ends the run with 1
  // rather than leaving a process with nothing on screen.
  void ShowInstallWindow();

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
  // Tries the lock every 100 ms until it is taken, then lets the install window install.
  void WaitForTurn();
  // The window while it exists; null before ShowInstallWindow and once it is gone.
  CUIFrame* install_window() const;

  std::unique_ptr<CMiscThread> misc_thread_;
  // The window deletes itself at its final message; the weak flag says when it has.
  CUIFrame* install_window_ = nullptr;
  std::weak_ptr<corekit::WeakFlag> install_window_alive_;
  CSingleInstance* instance_lock_ = nullptr;
  bool toolkit_started_ = false;
  int exit_code_ = 0;
};

}  // namespace vireo
