// The toolkit's start-up and shut-down: everything that must exist before the first skinned
// window is created.
//
//  S1. Startup, in order: registers the widget element names (widget_kinds.h); installs the
//      GDI+ renderer as the global renderer; stores |factory| as the global control factory
//      (may be empty); with |adapt_dpi| makes the process DPI-aware and takes the scale of
//      the monitor at (1,1), else the scale is 100 % (dpi_awareness.h); loads the string
//      table of resource path + language path; sets the global resource path to resource
//      path + theme path and builds "global.xml" there (the fonts need the scale); starts
//      GDI+ for the toolkit's lifetime and initialises the common controls.
//  S2. Startup answers whether the renderer and GDI+ started and "global.xml" was built. A
//      missing string table is no failure.
//  S3. Shutdown removes the renderer and the global factory and ends the toolkit's GDI+
//      session; every window must be gone by then. Calling Startup again replaces the
//      previous start; Shutdown without Startup does nothing.
//  S4. UI thread only.
#pragma once

#include <string>

#include "ui/core/control_factory.h"

namespace ui {

inline constexpr wchar_t kGlobalSkinFile[] = L"global.xml";

bool Startup(const std::wstring& resource_path, ControlFactoryCallback factory, bool adapt_dpi,
             const std::wstring& theme_path, const std::wstring& language_path);
void Shutdown();

}  // namespace ui
