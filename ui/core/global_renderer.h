// The toolkit's renderer: the one factory every window makes its render context with. The
// toolkit's start-up installs the GDI+ renderer; until then (or after it is removed)
// windows have no render context and do not paint.
//
//  - UI thread only. A window keeps the context it made; the factory must outlive every
//    window that made one (remove it only after the windows are gone).
#pragma once

#include <memory>

#include "ui/render/render_factory.h"

namespace ui {

// Replaces the renderer; null removes it.
void SetGlobalRenderFactory(std::unique_ptr<IRenderFactory> factory);
// Null when none is installed.
IRenderFactory* GetGlobalRenderFactory();

}  // namespace ui
