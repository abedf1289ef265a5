#include "ui/widgets/ui_startup.h"

#include <windows.h>

#include <memory>
#include <utility>

#include "support/scoped_gdiplus.h"
#include "ui/core/dpi_awareness.h"
#include "ui/core/global_renderer.h"
#include "ui/markup/global_manager.h"
#include "ui/render/font_fallback.h"
#include "ui/render/render_factory_gdiplus.h"
#include "ui/render/text_warm_up.h"
#include "ui/widgets/widget_kinds.h"

namespace ui {
namespace {

// The toolkit's own GDI+ session, from Startup to Shutdown.
std::unique_ptr<vireo::ScopedGdiplus>& GdiplusSession() {
  static std::unique_ptr<vireo::ScopedGdiplus> session;
  return session;
}

// The skin's default font, else the system's GUI font: GDI+ builds its font tables for
// whichever comes first.
LOGFONTW WarmUpFont(const GlobalManager& manager) {
  if (const FontRecord* font = manager.definitions().fonts.Find(L"")) return font->logfont;
  LOGFONTW logfont{};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(logfont), &logfont);
  return logfont;
}

}  // namespace

bool Startup(const std::wstring& resource_path, ControlFactoryCallback factory, bool adapt_dpi,
             const std::wstring& theme_path, const std::wstring& language_path) {
  FinishTextWarmUp();  // US3: a second start replaces the first
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
  const bool global_ok = manager.BuildGlobalFile(kGlobalSkinFile);

  GdiplusSession() = std::make_unique<vireo::ScopedGdiplus>();
  PrepareFontFallback();  // on this thread, before the warm-up measures text
  StartTextWarmUp(WarmUpFont(manager));  // US5
  return renderer_ok && global_ok && GdiplusSession()->ok();
}

void Shutdown() {
  FinishTextWarmUp();
  GlobalManager::Get().image_cache().CancelPrefetches();
  SetGlobalRenderFactory(nullptr);
  SetGlobalControlFactory(nullptr);
  GdiplusSession().reset();
}

}  // namespace ui
