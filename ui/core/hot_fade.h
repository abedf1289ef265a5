// The hot fade of a control that has a hot image: its hot alpha runs from 0 to 255 over
// kHotFadeMs when the mouse enters and back when it leaves, repainting at each step.
//
//  HF1. Start(in) runs from the current hot alpha towards 255 (in) or 0 (out), taking the
//      part of kHotFadeMs that the remaining distance needs, so reversing mid-way does not
//      jump.
//  HF2. Progress follows a cubic ease with inner factors 0.3 and 0.7: slow, fast, slow.
//  HF3. Steps are delayed tasks on the UI thread's loop, each a weak callback of this object,
//      so a step never runs after the fade (or its control) is destroyed. Without a loop
//      on the thread the fade jumps to its end at once.
//  HF4. Stop ends the fade where it is; a later step does nothing.
#pragma once

#include <windows.h>

#include <cstdint>

#include "corekit/weak_callback.h"

namespace ui {

class Control;

// HF2: eased progress for linear progress |t| in [0, 1].
double HotFadeEase(double t);

class HotFade : public corekit::SupportWeakCallback {
 public:
  static constexpr int kStepMs = 16;

  explicit HotFade(Control* owner) : owner_(owner) {}

  void Start(bool fade_in);
  void Stop();
  bool IsRunning() const { return running_; }

 private:
  void Step();
  void Apply(int alpha);

  Control* owner_;
  bool running_ = false;
  int from_ = 0;
  int to_ = 0;
  int duration_ms_ = 0;
  int64_t start_us_ = 0;
  unsigned generation_ = 0;
};

}  // namespace ui
