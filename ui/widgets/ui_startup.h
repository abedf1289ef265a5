// The toolkit's start-up and shut-down: everything that must exist before the first skinned
// window is created.
//
//  US1. Startup, in order: registers the widget element names (widget_kinds.h); installs the
//      GDI+ renderer as the global renderer; stores |factory| as the global control factory
//      (may be empty); with |adapt_dpi| makes the process DPI-aware and takes the scale of
//      the monitor at (1,1), else the scale is 100 % (dpi_awareness.h); loads the string
//      table of resource path + language path; sets the global resource path to resource
//      path + theme path and builds "global.xml" there (the fonts need the scale); starts
//      GDI+ for the toolkit's lifetime; starts the warm-up (US5).
//  US2. Startup answers whether the renderer and GDI+ started and "global.xml" was built. A
//      missing string table is no failure.
//  US3. Shutdown waits for the warm-up, cancels the image cache's prefetches (image_cache.h),
//      removes the renderer and the global factory and ends the toolkit's GDI+ session; every
//      window must be gone by then. Calling
//      Startup again replaces the previous start; Shutdown without Startup does nothing.
//  US4. UI thread only.
//  US5. The warm-up (text_warm_up.h) runs on a thread of its own while the caller creates its
//      first window: it makes GDI+'s first font in the skin's default font (the system's GUI
//      font when the skin has none). The toolkit creates no common controls, so it neither
//      loads nor initialises their library: that library registers window classes as it
//      starts, which must never happen on a second thread while the first window is made.
#pragma once

#include <string>

#include "ui/core/control_factory.h"

namespace ui {

inline constexpr wchar_t kGlobalSkinFile[] = L"global.xml";

bool Startup(const std::wstring& resource_path, ControlFactoryCallback factory, bool adapt_dpi,
             const std::wstring& theme_path, const std::wstring& language_path);
void Shutdown();

}  // namespace ui
