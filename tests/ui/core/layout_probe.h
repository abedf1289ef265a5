// Lays a skin's control tree out the way the window host does and reports where every named
// control landed, so a layout table is a few lines in a test.
//
//  PB1. The skin is built into a hidden, never shown WindowImplBase: its Window element sizes
//      the window (DPI-scaled), an auto-sized root resizes it, and the tree is laid out in
//      the client rectangle exactly as the first paint would.
//  PB2. The DPI scale is |dpi_percent|, aware, while the window is built and laid out; the
//      previous scale is restored afterwards. Fonts of the global definitions keep the scale
//      they were built with: load "global.xml" at the same scale before calling.
//  PB3. Widgets that measure text need the global renderer; a GDI+ renderer is installed for
//      the call when none is.
//  PB4. A skin that does not build answers an empty result (window size 0 x 0, no rects).
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace ui {
class Window;
}

namespace ui_test {

struct LaidOutSkin {
  SIZE window = {0, 0};  // the client size
  std::map<std::wstring, RECT> rects;  // every named control, visible or not
  std::map<std::wstring, bool> visible;  // IsVisible() of every named control
};

// |skin_folder| is the window's skin folder ("frame"; must be empty when |skin_file| is XML
// text) and |skin_file| a file in it ("UIInstallFrame.xml") or the XML text itself.
// |prepare| (optional) runs on the built window before the layout, e.g. to show a page.
LaidOutSkin LayOutSkin(const std::wstring& skin_folder, const std::wstring& skin_file,
                       int dpi_percent,
                       const std::function<void(ui::Window& window)>& prepare = nullptr);

}  // namespace ui_test
