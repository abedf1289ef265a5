// The worker thread, "Global Misc Thread", id 2: runs the usage report and the install
// driver one after the other on its default loop.
#pragma once

#include "corekit/framework_thread.h"

namespace vireo {

class CMiscThread : public corekit::FrameworkThread {
 public:
  CMiscThread();
  ~CMiscThread() override;

  // The task BeginInstall posts: runs the install driver.
  void RunInstall();

 protected:
  void Init() override;
  void Cleanup() override;
};

}  // namespace vireo
