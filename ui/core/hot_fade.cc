#include "ui/core/hot_fade.h"

#include <algorithm>
#include <cstdlib>

#include "corekit/time_now.h"
#include "ui/core/control.h"
#include "ui/core/ui_timer.h"

namespace ui {

double HotFadeEase(double t) {
  t = std::clamp(t, 0.0, 1.0);
  const double u = 1.0 - t;
  return 3 * u * u * t * 0.3 + 3 * u * t * t * 0.7 + t * t * t;
}

void HotFade::Start(bool fade_in) {
  from_ = owner_->GetHotAlpha();
  to_ = fade_in ? 255 : 0;
  duration_ms_ = kHotFadeMs * std::abs(to_ - from_) / 255;
  start_us_ = corekit::TimeNow();
  running_ = true;
  ++generation_;
  Step();
}

void HotFade::Stop() {
  running_ = false;
  ++generation_;
}

void HotFade::Apply(int alpha) {
  owner_->SetHotAlpha(alpha);
  owner_->Invalidate();
}

void HotFade::Step() {
  if (!running_) return;
  const int64_t elapsed_ms = (corekit::TimeNow() - start_us_) / 1000;
  if (duration_ms_ <= 0 || elapsed_ms >= duration_ms_) {
    running_ = false;
    Apply(to_);
    return;
  }
  const double p = HotFadeEase(static_cast<double>(elapsed_ms) / duration_ms_);
  Apply(from_ + static_cast<int>((to_ - from_) * p));
  const unsigned generation = generation_;
  auto next = ToWeakCallback([this, generation] {
    if (generation == generation_) Step();
  });
  if (!PostDelayedUiTask(next, kStepMs)) {
    running_ = false;
    Apply(to_);
  }
}

}  // namespace ui
