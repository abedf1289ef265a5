// Keeps GDI+ started for the lifetime of the object.
//
// GP1. GDI+ is started in the constructor and shut down in the destructor, on the same thread;
//     ok() says whether the start succeeded (nothing is shut down when it did not).
// GP2. Sessions nest: GDI+ counts its start-ups, so a test or a toolkit that opens its own
//     session inside another one is fine. Every GDI+ object must be destroyed before the
//     session that was current when it was made ends.
#pragma once

#include <windows.h>
// GDI+ needs the COM base types, which WIN32_LEAN_AND_MEAN leaves out, and min/max, which
// NOMINMAX hides.
#include <objidl.h>
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace vireo {

class ScopedGdiplus {
 public:
  ScopedGdiplus() {
    Gdiplus::GdiplusStartupInput input;
    ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
  }
  ScopedGdiplus(const ScopedGdiplus&) = delete;
  ScopedGdiplus& operator=(const ScopedGdiplus&) = delete;
  ~ScopedGdiplus() {
    if (ok_) Gdiplus::GdiplusShutdown(token_);
  }
  bool ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};

}  // namespace vireo
