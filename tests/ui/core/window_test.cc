#include "ui/core/window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/core/core_test_util.h"
#include "ui/core/box.h"
#include "ui/core/control_factory.h"
#include "ui/core/global_renderer.h"
#include "ui/markup/global_manager.h"
#include "ui/render/render_factory_gdiplus.h"

namespace ui {
namespace {

using ui_test::SkinWindow;
using ui_test::TestButton;

// Two buttons side by side in a 200x100 window, shown without activation.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterControlKind(kButtonKind, &ui_test::MakeTestButton);
    window_ = new SkinWindow(
        L"<Window size=\"200,100\"><HBox name=\"root\">"
        L"<Button name=\"a\" width=\"50\"/><Button name=\"b\" width=\"50\"/>"
        L"<Button name=\"b\" width=\"50\" visible=\"false\"/></HBox></Window>");
    hwnd_ = window_->Create(nullptr, L"window test", WS_POPUP, 0);
    ASSERT_NE(hwnd_, nullptr);
    window_->ShowWindow(true, false);
    ::UpdateWindow(hwnd_);
  }
  void TearDown() override {
    if (::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
  }
  void Send(UINT msg, int x, int y, WPARAM w_param = 0) {
    ::SendMessageW(hwnd_, msg, w_param, MAKELPARAM(x, y));
  }

  SkinWindow* window_ = nullptr;
  HWND hwnd_ = nullptr;
};

// Real mouse messages: the hot control follows the pointer, the pressed control keeps the
// capture, and only a release over it clicks.
TEST_F(WindowTest, MouseRouting) {
  Control* a = window_->FindControl(L"a");
  Control* b = window_->GetRoot()->GetItemAt(1);
  ASSERT_NE(a, nullptr);
  std::vector<std::wstring> clicks;
  for (Control* c : {a, b}) {
    c->AttachClick([&clicks](const EventArgs& args) {
      clicks.push_back(args.sender->GetName());
      return true;
    });
  }
  Send(WM_MOUSEMOVE, 10, 10);
  EXPECT_EQ(window_->GetHotControl(), a);
  EXPECT_EQ(a->GetState(), kControlStateHot);
  Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
  EXPECT_EQ(window_->GetCapturedControl(), a);
  EXPECT_EQ(window_->GetFocus(), a);
  Send(WM_MOUSEMOVE, 60, 10, MK_LBUTTON);
  EXPECT_EQ(window_->GetHotControl(), b);
  EXPECT_EQ(a->GetState(), kControlStatePushed);
  Send(WM_LBUTTONUP, 60, 10);  // released over b: a does not click
  EXPECT_EQ(window_->GetCapturedControl(), nullptr);
  EXPECT_TRUE(clicks.empty());

  Send(WM_LBUTTONDOWN, 60, 10, MK_LBUTTON);
  Send(WM_LBUTTONUP, 60, 10);
  EXPECT_EQ(clicks, (std::vector<std::wstring>{L"b"}));

  a->SetEnabled(false);
  Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
  Send(WM_LBUTTONUP, 10, 10);
  EXPECT_EQ(clicks.size(), 1u);
}

// The name table finds the control registered last; a destroyed control is forgotten by
// the name table and by the focus, hot and capture pointers at once.
TEST_F(WindowTest, DestroyedControlsAreForgotten) {
  Box* root = window_->GetRoot();
  Control* b = window_->FindControl(L"b");
  EXPECT_EQ(b, root->GetItemAt(2));
  Control* a = window_->FindControl(L"a");
  Send(WM_MOUSEMOVE, 10, 10);
  Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
  ASSERT_EQ(window_->GetFocus(), a);
  root->Remove(a);
  EXPECT_EQ(window_->FindControl(L"a"), nullptr);
  EXPECT_EQ(window_->GetFocus(), nullptr);
  EXPECT_EQ(window_->GetHotControl(), nullptr);
  EXPECT_EQ(window_->GetCapturedControl(), nullptr);
  Send(WM_LBUTTONUP, 10, 10);  // nothing left to receive it
}

// Tab walks the focusable controls in tree order, wrapping, Shift+Tab backwards; hidden,
// disabled and "nofocus" controls are skipped.
TEST_F(WindowTest, TabOrder) {
  Control* a = window_->FindControl(L"a");
  Control* b = window_->GetRoot()->GetItemAt(1);
  EXPECT_TRUE(window_->SetNextTabControl(true));
  EXPECT_EQ(window_->GetFocus(), a);
  EXPECT_TRUE(window_->SetNextTabControl(true));
  EXPECT_EQ(window_->GetFocus(), b);
  EXPECT_TRUE(window_->SetNextTabControl(true));
  EXPECT_EQ(window_->GetFocus(), a);
  EXPECT_TRUE(window_->SetNextTabControl(false));
  EXPECT_EQ(window_->GetFocus(), b);
  b->SetNoFocus(true);
  EXPECT_TRUE(window_->SetNextTabControl(true));
  EXPECT_EQ(window_->GetFocus(), a);
  b->SetNoFocus(false);
  b->SetEnabled(false);
  EXPECT_TRUE(window_->SetNextTabControl(true));
  EXPECT_EQ(window_->GetFocus(), a);
  a->SetVisible(false);
  EXPECT_EQ(window_->GetFocus(), nullptr);  // hiding drops the focus
  EXPECT_FALSE(window_->SetNextTabControl(true));
}

// Keys go to the focused control (key up to the one that got the key down); a message
// filter that claims a message keeps it from the window.
TEST_F(WindowTest, KeysAndFilters) {
  Control* a = window_->FindControl(L"a");
  std::vector<EventType> seen;
  a->AttachAllEvents([&seen](const EventArgs& args) {
    if (IsKeyEvent(args.type)) seen.push_back(args.type);
    return true;
  });
  a->SetFocus();
  ::SendMessageW(hwnd_, WM_KEYDOWN, 'A', 0);
  ::SendMessageW(hwnd_, WM_CHAR, 'a', 0);
  ::SendMessageW(hwnd_, WM_KEYUP, 'A', 0);
  EXPECT_EQ(seen, (std::vector<EventType>{kEventKeyDown, kEventChar, kEventKeyUp}));

  struct Claim : IUIMessageFilter {
    LRESULT MessageHandler(UINT msg, WPARAM, LPARAM, bool& handled) override {
      handled = msg == WM_KEYDOWN;
      return 7;
    }
  } claim;
  window_->AddMessageFilter(&claim);
  EXPECT_EQ(::SendMessageW(hwnd_, WM_KEYDOWN, 'B', 0), 7);
  window_->RemoveMessageFilter(&claim);
  EXPECT_EQ(seen.size(), 3u);
}

// A tree replaced from one of its own handlers is deleted later, at the posted message.
TEST_F(WindowTest, ReplacedTreeIsDeletedLater) {
  Control* a = window_->FindControl(L"a");
  bool replaced = false;
  a->AttachClick([this, &replaced](const EventArgs&) {
    replaced = window_->AttachDialog(std::make_unique<Box>());
    return true;
  });
  Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
  Send(WM_LBUTTONUP, 10, 10);
  EXPECT_TRUE(replaced);
  EXPECT_EQ(window_->FindControl(L"a"), nullptr);
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, hwnd_, kDelayedCleanupMessage, kDelayedCleanupMessage, PM_REMOVE));
  ::DispatchMessageW(&msg);
}

}  // namespace
}  // namespace ui
