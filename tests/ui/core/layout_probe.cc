#include "tests/ui/core/layout_probe.h"

#include <memory>

#include "tests/ui/core/core_test_util.h"
#include "ui/core/box.h"
#include "ui/core/global_renderer.h"
#include "ui/core/window_impl_base.h"
#include "ui/render/render_factory_gdiplus.h"

namespace ui_test {
namespace {

class ProbeWindow : public ui::WindowImplBase {
 public:
  ProbeWindow(std::wstring folder, std::wstring file)
      : folder_(std::move(folder)), file_(std::move(file)) {}

 protected:
  std::wstring GetWindowClassName() const override { return L"VireoLayoutProbe"; }
  std::wstring GetSkinFolder() const override { return folder_; }
  std::wstring GetSkinFile() const override { return file_; }

 private:
  std::wstring folder_;
  std::wstring file_;
};

void IgnoreSkinError(const wchar_t*) {}

}  // namespace

LaidOutSkin LayOutSkin(const std::wstring& skin_folder, const std::wstring& skin_file,
                       int dpi_percent, const std::function<void(ui::Window& window)>& prepare) {
  ScopedDpi dpi(dpi_percent);
  const bool own_renderer = ui::GetGlobalRenderFactory() == nullptr;
  if (own_renderer) ui::SetGlobalRenderFactory(std::make_unique<ui::RenderFactory_GdiPlus>());
  ui::SetSkinErrorReporterForTesting(&IgnoreSkinError);

  LaidOutSkin result;
  auto* window = new ProbeWindow(skin_folder, skin_file);
  HWND hwnd = window->Create(nullptr, L"layout probe", WS_POPUP, 0);
  if (hwnd == nullptr) {
    delete window;  // a failed creation leaves the object to its creator
  } else {
    RECT client = {0, 0, 0, 0};
    ::GetClientRect(hwnd, &client);
    result.window = SIZE{client.right - client.left, client.bottom - client.top};
    if (prepare) prepare(*window);
    if (ui::Box* root = window->GetRoot()) {
      root->SetPos(client);
      root->ForEachControl([&result](ui::Control* control) {
        if (control->GetName().empty()) return;
        result.rects[control->GetName()] = control->GetPos();
        result.visible[control->GetName()] = control->IsVisible();
      });
    }
    ::DestroyWindow(hwnd);  // the window deletes itself
  }
  ui::SetSkinErrorReporterForTesting(nullptr);
  if (own_renderer) ui::SetGlobalRenderFactory(nullptr);
  return result;
}

}  // namespace ui_test
