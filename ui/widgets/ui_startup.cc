#include "ui/widgets/ui_startup.h"

#include <windows.h>
// After windows.h: the common controls header needs its types.
#include <commctrl.h>
#include <versionhelpers.h>

#include <memory>
#include <utility>

#include "support/scoped_gdiplus.h"
#include "ui/core/dpi_awareness.h"
#include "ui/core/global_renderer.h"
#include "ui/markup/global_manager.h"
#include "ui/render/render_factory_gdiplus.h"
#include "ui/widgets/widget_kinds.h"

namespace ui {
namespace {

// The toolkit's own GDI+ session, from Startup to Shutdown.
std::unique_ptr<vireo::ScopedGdiplus>& GdiplusSession() {
  static std::unique_ptr<vireo::ScopedGdiplus> session;
  return session;
}

// Only the face rule of the skin's fonts depends on the version: before or from Vista.
unsigned FontMajorVersion() { return ::IsWindowsVistaOrGreater() ? 6 : 5; }

}  // namespace

bool Startup(const std::wstring& resource_path, ControlFactoryCallback factory, bool adapt_dpi,
             const std::wstring& theme_path, const std::wstring& language_path) {
  RegisterWidgetKinds();
  auto renderer = std::make_unique<RenderFactory_GdiPlus>();
  const bool renderer_ok = renderer->ok();
  SetGlobalRenderFactory(std::move(renderer));

  GlobalManager& manager = GlobalManager::Get();
  SetGlobalControlFactory(std::move(factory));
  InitDpiScale(adapt_dpi);
  // The language folder lies below the resource path itself, not below the theme.
  manager.SetResourcePath(resource_path);
  manager.LoadStringTable(language_path);
  manager.SetResourcePath(resource_path + theme_path);
  const bool global_ok = manager.BuildGlobalFile(kGlobalSkinFile, FontMajorVersion());

  GdiplusSession() = std::make_unique<vireo::ScopedGdiplus>();
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  return renderer_ok && global_ok && GdiplusSession()->ok();
}

void Shutdown() {
  SetGlobalRenderFactory(nullptr);
  SetGlobalControlFactory(nullptr);
  GdiplusSession().reset();
}

}  // namespace ui
