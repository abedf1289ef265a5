// The installer's window over the window toolkit: the skin from the executable's resources,
// the toolkit started DPI-aware, and one frame at a time, the uninstall window for an
// uninstall and the install window otherwise. The frame deletes itself at its final message;
// its weak flag says when it has.
#pragma once

#include <memory>
#include <string>

#include "corekit/weak_callback.h"
#include "installer/install_window.h"

namespace vireo {

class CUIFrame;

class ToolkitInstallWindow : public IInstallWindow {
 public:
  ToolkitInstallWindow() = default;
  ~ToolkitInstallWindow() override;
  ToolkitInstallWindow(const ToolkitInstallWindow&) = delete;
  ToolkitInstallWindow& operator=(const ToolkitInstallWindow&) = delete;

  bool Show(bool waiting) override;
  void WhenFirstPainted(std::function<void()> task) override;
  bool IsOpen() const override { return frame() != nullptr; }
  void StopWaiting() override;
  void ShowProgress(SETUP_PROGRESS stage, float percent) override;
  void ShowResult(bool success, const std::wstring& message) override;
  void Shutdown() override;

 private:
  // The frame while it exists; null before Show and once it is gone.
  CUIFrame* frame() const;

  CUIFrame* frame_ = nullptr;  // looks only: the frame owns itself
  std::weak_ptr<corekit::WeakFlag> frame_alive_;
  bool toolkit_started_ = false;
};

}  // namespace vireo
