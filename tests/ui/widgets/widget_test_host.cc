#include "tests/ui/widgets/widget_test_host.h"

#include "tests/test_support/test_paths.h"
#include "ui/core/control_builder.h"
#include "ui/markup/global_manager.h"
#include "ui/render/render_context.h"
#include "ui/widgets/ui_startup.h"

namespace ui::testing {

void SkinTest::StartSkin(int percent) {
  ASSERT_TRUE(Startup(vireo::test::SourcePath("resources/skin"), {}, false, L"", L""));
  if (percent == 100) return;
  // Lengths and fonts are scaled as the skin is read: rebuild the fonts at the new scale.
  GlobalManager::Get().dpi() = DpiScale(percent, true);
  ASSERT_TRUE(GlobalManager::Get().BuildGlobalFile(kGlobalSkinFile));
}

void SkinTest::TearDown() { Shutdown(); }

bool TestHost::Open(const std::wstring& controls, SIZE size) {
  if (Create(nullptr, L"widgets test", WS_POPUP, 0, RECT{0, 0, size.cx, size.cy}) ==
      nullptr) {
    return false;
  }
  InitWnd();
  SetResourcePath(L"frame");
  if (GetRenderContext() == nullptr) return false;
  const std::wstring xml = L"<Window><Box>" + controls + L"</Box></Window>";
  return AttachDialog(ControlBuilder(this, {}).Create(xml));
}

void LayoutTree(Window& window) {
  RECT client;
  ::GetClientRect(window.GetHWND(), &client);
  window.GetRoot()->SetPos(client);
}

void PaintTree(Window& window) {
  LayoutTree(window);
  RECT client;
  ::GetClientRect(window.GetHWND(), &client);
  IRenderContext* render = window.GetRenderContext();
  render->Resize(client.right, client.bottom);
  render->Clear();
  window.GetRoot()->Paint(render, client);
}

uint32_t TestHost::Pixel(int x, int y) const {
  IRenderContext* render = GetRenderContext();
  return render->GetBits()[y * render->GetWidth() + x];
}

void TestHost::ClickAt(const Control* control) {
  const RECT& pos = control->GetPos();
  const LPARAM at = MAKELPARAM((pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2);
  ::SendMessageW(GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(GetHWND(), WM_LBUTTONUP, 0, at);
}

void TestHost::ShowAndPaint() {
  ::ShowWindow(GetHWND(), SW_SHOWNOACTIVATE);
  ::RedrawWindow(GetHWND(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

bool InstallFrameHost::Open() {
  return Create(nullptr, L"install frame test", WS_POPUP, 0) != nullptr;
}

std::string RectText(const RECT& rc) {
  return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," +
         std::to_string(rc.right) + "," + std::to_string(rc.bottom);
}

}  // namespace ui::testing
