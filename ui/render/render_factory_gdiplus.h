// The GDI+ renderer.
//
// GF1. It keeps GDI+ started for its lifetime (a session of its own, which nests inside any
//     other); every context it made must be destroyed before it.
// GF2. CreateRenderContext() returns null when GDI+ did not start or the context's memory
//     device context could not be made.
// GF3. Made, used and destroyed on the UI thread.
#pragma once

#include <memory>

#include "support/scoped_gdiplus.h"
#include "ui/render/render_factory.h"

namespace ui {

class RenderFactory_GdiPlus : public IRenderFactory {
 public:
  RenderFactory_GdiPlus() = default;
  RenderFactory_GdiPlus(const RenderFactory_GdiPlus&) = delete;
  RenderFactory_GdiPlus& operator=(const RenderFactory_GdiPlus&) = delete;

  bool ok() const { return gdiplus_.ok(); }
  std::unique_ptr<IRenderContext> CreateRenderContext() override;

 private:
  vireo::ScopedGdiplus gdiplus_;
};

}  // namespace ui
