// The renderer: makes render contexts (render_context.h). The toolkit keeps one, globally.
#pragma once

#include <memory>

#include "ui/render/render_context.h"

namespace ui {

class IRenderFactory {
 public:
  virtual ~IRenderFactory() = default;
  // A context with an empty back buffer; null when the renderer cannot make one.
  virtual std::unique_ptr<IRenderContext> CreateRenderContext() = 0;
};

}  // namespace ui
