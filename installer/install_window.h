// The install window as the main thread sees it. The window layer (installer/ui) implements
// it over the window toolkit, so the installer's core reports progress and results without
// linking the toolkit. Everything runs on the main (UI) thread.
#pragma once

#include <functional>
#include <string>

#include "installer/install_reporting.h"

namespace vireo {

class IInstallWindow {
 public:
  virtual ~IInstallWindow() = default;

  // Opens the skin, starts the toolkit and shows the window in the foreground; with
  // |waiting| its start page shows that another installation is finishing and cannot be
  // used yet. False when the window
  // could not be created (logged; the toolkit has said so in a box). Showing while the
  // window exists only answers true.
  virtual bool Show(bool waiting) = 0;
  // Runs |task| once, on the main thread, when the shown window paints its first frame
  // (before that frame reaches the screen); a window that never paints never runs it.
  virtual void WhenFirstPainted(std::function<void()> task) = 0;
  // Whether the window exists: false before Show and once it has been closed.
  virtual bool IsOpen() const = 0;
  // Makes a waiting start page usable; nothing once the window is gone.
  virtual void StopWaiting() = 0;
  // Progress and the result; nothing once the window is gone.
  virtual void ShowProgress(SETUP_PROGRESS stage, float percent) = 0;
  virtual void ShowResult(bool success, const std::wstring& message) = 0;
  // Stops the toolkit once the UI loop has ended and every window is gone.
  virtual void Shutdown() = 0;
};

}  // namespace vireo
