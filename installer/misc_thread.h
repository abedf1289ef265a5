// The worker thread, "Global Misc Thread", id 2: runs the usage report and the install
// driver one after the other on its default loop.
#pragma once

#include "corekit/framework_thread.h"

namespace vireo {

class CMiscThread : public corekit::FrameworkThread {
 public:
  CMiscThread();
  ~CMiscThread() override;

  // The task BeginInstall posts: runs the install driver and remembers whether it failed.
  void RunInstall();
  // Whether an install run on this thread failed. Written on this thread; read it only once
  // Stop has returned, when the thread has ended.
  bool install_failed() const { return install_failed_; }

 protected:
  void Init() override;
  void Cleanup() override;

 private:
  bool install_failed_ = false;
};

}  // namespace vireo
