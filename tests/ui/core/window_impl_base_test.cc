#include "ui/core/window_impl_base.h"

#include <gtest/gtest.h>

#include <string>

#include "corekit/message_loop.h"
#include "corekit/time_now.h"
#include "tests/ui/core/core_test_util.h"
#include "ui/core/box.h"
#include "ui/core/control_factory.h"
#include "ui/markup/global_manager.h"

namespace ui {
namespace {

using ui_test::ScopedDpi;
using ui_test::SkinWindow;

constexpr int kHardLimitMs = 10000;

SIZE ClientSize(HWND hwnd) {
  RECT rc = {0, 0, 0, 0};
  ::GetClientRect(hwnd, &rc);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

// The Window element sizes the window (DPI-scaled) before the tree is attached; a root
// that is auto-sized then resizes it to the root's estimate.
TEST(WindowImplBaseTest, WindowSizeFromTheSkin) {
  ScopedDpi dpi(150);
  auto* fixed = new SkinWindow(
      L"<Window size=\"660,512\" caption=\"0,0,0,333\"><Class name=\"own\" width=\"8\"/>"
      L"<Box><Control name=\"c\" class=\"own\"/></Box></Window>");
  HWND hwnd = fixed->Create(nullptr, L"fixed", WS_POPUP, 0);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(ClientSize(hwnd), (SIZE{990, 768}));
  EXPECT_EQ(fixed->GetCaptionRect(), (RECT{0, 0, 0, 500}));
  EXPECT_EQ(fixed->FindControl(L"c")->GetFixedWidth(), 12);  // the window's own class
  EXPECT_EQ(::GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION, 0);
  ::DestroyWindow(hwnd);

  auto* automatic = new SkinWindow(
      L"<Window size=\"10,10\"><VBox width=\"auto\" height=\"auto\" maxwidth=\"60\">"
      L"<Control width=\"70\" height=\"30\"/><Control width=\"20\" height=\"10\"/></VBox></Window>");
  hwnd = automatic->Create(nullptr, L"auto", WS_POPUP, 0);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(ClientSize(hwnd), (SIZE{90, 60}));  // 60 wide at most, scaled; 30 + 10 high
  ::DestroyWindow(hwnd);
}

std::wstring g_reported;
void RecordSkinError(const wchar_t* text) { g_reported = text; }

// A skin that builds no root fails the creation with the message; the object still belongs
// to the caller.
TEST(WindowImplBaseTest, MissingSkinFailsCreation) {
  SetSkinErrorReporterForTesting(&RecordSkinError);
  auto* window = new SkinWindow(L"no-such-skin.xml");
  EXPECT_EQ(window->Create(nullptr, L"missing", WS_POPUP, 0), nullptr);
  EXPECT_EQ(g_reported, L"Failed to load xml file no-such-skin.xml");
  delete window;

  g_reported.clear();
  auto* not_a_box = new SkinWindow(L"<Window><Control/></Window>");
  EXPECT_EQ(not_a_box->Create(nullptr, L"control root", WS_POPUP, 0), nullptr);
  EXPECT_FALSE(g_reported.empty());
  delete not_a_box;
  SetSkinErrorReporterForTesting(nullptr);
}

// "closebtn": a real click, then WM_CLOSE with wParam 1 no sooner than 300 ms later; the
// root is hidden at once (a normal window shows no fade). Double-clicking the caption band
// does not maximise.
TEST(WindowImplBaseTest, CloseButtonAndCaption) {
  RegisterControlKind(kButtonKind, &ui_test::MakeTestButton);
  corekit::MessageLoop loop(corekit::MessageLoop::Type::kUI);
  auto* window = new SkinWindow(
      L"<Window size=\"200,100\" caption=\"0,0,0,50\"><Box>"
      L"<Button name=\"closebtn\" width=\"20\" height=\"20\" margin=\"180,0,0,0\"/></Box></Window>");
  int64_t clicked_us = 0;
  int64_t closed_us = 0;
  WPARAM close_code = 0;
  window->on_message = [&](UINT msg, WPARAM w_param) {
    if (msg != WM_CLOSE) return;
    closed_us = corekit::TimeNow();
    close_code = w_param;
    loop.Quit();
  };
  HWND hwnd = window->Create(nullptr, L"close", WS_POPUP, 0);
  ASSERT_NE(hwnd, nullptr);
  window->ShowWindow(true, false);
  ::UpdateWindow(hwnd);

  const POINT band = {50, 10};
  POINT screen = band;
  ::ClientToScreen(hwnd, &screen);
  EXPECT_EQ(::SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)), HTCAPTION);
  EXPECT_EQ(::SendMessageW(hwnd, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(screen.x, screen.y)), 0);
  EXPECT_FALSE(::IsZoomed(hwnd));

  ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(190, 10));
  clicked_us = corekit::TimeNow();
  ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(190, 10));
  EXPECT_FALSE(window->GetRoot()->IsVisible());
  loop.PostDelayedTask([&loop] { loop.Quit(); }, int64_t{kHardLimitMs} * 1000);
  loop.Run();

  ASSERT_NE(closed_us, 0) << "no WM_CLOSE within the limit";
  EXPECT_EQ(close_code, kCloseButtonResult);
  EXPECT_GE(closed_us - clicked_us, kCloseDelayMs * 1000 - 1000);  // 1 ms clock resolution
  EXPECT_LT(closed_us - clicked_us, 3000 * 1000);
  EXPECT_FALSE(::IsWindow(hwnd));  // the default handling destroyed it
}

// The non-client and system messages a captionless skinned window answers itself.
TEST(WindowImplBaseTest, HostMessages) {
  auto* window = new SkinWindow(
      L"<Window size=\"300,200\" mininfo=\"100,0\" maxinfo=\"0,400\" roundcorner=\"4,4\">"
      L"<Box/></Window>");
  HWND hwnd = window->Create(nullptr, L"host", WS_POPUP, 0);
  ASSERT_NE(hwnd, nullptr);

  MINMAXINFO info = {};
  info.ptMinTrackSize = POINT{1, 2};
  info.ptMaxTrackSize = POINT{3, 4};
  ::SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 100);
  EXPECT_EQ(info.ptMinTrackSize.y, 2);  // 0: left as it was
  EXPECT_EQ(info.ptMaxTrackSize.x, 3);
  EXPECT_EQ(info.ptMaxTrackSize.y, 400);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
  EXPECT_EQ(info.ptMaxSize.x, monitor.rcWork.right - monitor.rcWork.left);

  EXPECT_EQ(::SendMessageW(hwnd, WM_NCACTIVATE, FALSE, 0), TRUE);
  EXPECT_EQ(::SendMessageW(hwnd, WM_NCCALCSIZE, FALSE, 0), 0);

  ::SetWindowPos(hwnd, nullptr, 0, 0, 320, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(::GetWindowRgn(hwnd, region), ERROR);  // the round corners
  ::DeleteObject(region);

  window->CenterWindow();
  RECT rc = {0, 0, 0, 0};
  ::GetWindowRect(hwnd, &rc);
  const RECT& work = monitor.rcWork;
  EXPECT_NEAR(rc.left - work.left, work.right - rc.right, 1);
  EXPECT_NEAR(rc.top - work.top, work.bottom - rc.bottom, 1);

  ::SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
  EXPECT_EQ(GlobalManager::Get().dpi().percent(), 150);

  ::SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);  // closes and destroys at once
  EXPECT_FALSE(::IsWindow(hwnd));
}

}  // namespace
}  // namespace ui
