#include "ui/render/render_factory_gdiplus.h"

#include "ui/render/render_context_gdiplus.h"

namespace ui {

std::unique_ptr<IRenderContext> RenderFactory_GdiPlus::CreateRenderContext() {
  if (!gdiplus_.ok()) return nullptr;
  auto context = std::make_unique<RenderContext_GdiPlus>();
  if (!context->ok()) return nullptr;
  return context;
}

}  // namespace ui
