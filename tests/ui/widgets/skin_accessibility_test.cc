// The install window's skin as a screen reader and a keyboard user meet it, in process:
// the accessible tree that oleacc hands out for the real skin (names, roles, states,
// values, locations, hit testing, default actions, page switches), the failure when
// oleacc cannot be loaded, and the focus mark that keyboard use brings up.
#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/test_support/accessible_client.h"
#include "tests/ui/render/pixel_probe.h"
#include "tests/ui/widgets/widget_test_host.h"
#include "ui/core/oleacc_library.h"
#include "ui/render/render_context.h"
#include "ui/widgets/check_box.h"
#include "ui/widgets/progress.h"
#include "ui/widgets/rich_edit.h"

namespace ui {
namespace {

using testing::InstallFrameHost;

VARIANT Child(long id) { return vireo::test::ChildVariant(id); }

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

class SkinAccessibilityTest : public testing::SkinTest {
 protected:
  void SetUp() override {
    testing::SkinTest::SetUp();
    ASSERT_TRUE(host_.Open());
    ::ShowWindow(host_.GetHWND(), SW_SHOWNORMAL);
    ::SetForegroundWindow(host_.GetHWND());
    ::SetFocus(host_.GetHWND());
    host_.Layout();
    Pump();
  }
  void TearDown() override {
    ::DestroyWindow(host_.GetHWND());
    testing::SkinTest::TearDown();
  }
  bool Connect() { return reader_.Connect(host_.GetHWND()); }
  long Count() { return reader_.ChildCount(); }
  std::wstring Name(long id) { return reader_.Name(id); }
  std::wstring Value(long id) { return reader_.Value(id); }
  long Role(long id) { return reader_.Role(id); }
  long State(long id) { return reader_.State(id); }
  long IdOf(const std::wstring& name) { return reader_.Find(name); }
  // The child id of the control the window tells readers has the focus; 0 for none.
  long FocusId() {
    const std::vector<Control*> children = host_.GetAccessibleChildren();
    const auto it = std::find(children.begin(), children.end(), host_.GetAccessibleFocus());
    return it == children.end() ? 0 : static_cast<long>(it - children.begin()) + 1;
  }
  InstallFrameHost host_;
  vireo::test::AccessibleWindow reader_;
};

constexpr wchar_t kAgreement[] = L"我已阅读并同意《用户协议》和《隐私政策》";

// Every visible control that acts or reads is a child, named as a sighted user reads it.
TEST_F(SkinAccessibilityTest, StartPageNamesRolesAndStates) {
  static_cast<RichEdit*>(host_.Find(L"targetpath"))->SetText(L"C:\\Vireo");
  ASSERT_TRUE(Connect());
  struct Row {
    const wchar_t* name;
    long role;
    long state;  // the bits of interest
  };
  const Row rows[] = {
      {L"最小化", ROLE_SYSTEM_PUSHBUTTON, 0},
      {L"关闭", ROLE_SYSTEM_PUSHBUTTON, 0},
      {L"安装位置", ROLE_SYSTEM_TEXT, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_READONLY},
      {L"选择安装目录", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE},
      {L"快速安装", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE},
      {kAgreement, ROLE_SYSTEM_CHECKBUTTON, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_CHECKED},
      {L"我已阅读并同意", ROLE_SYSTEM_STATICTEXT, 0},
      {L"《用户协议》", ROLE_SYSTEM_LINK, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED},
      {L"和", ROLE_SYSTEM_STATICTEXT, 0},
      {L"《隐私政策》", ROLE_SYSTEM_LINK, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED},
  };
  ASSERT_EQ(Count(), static_cast<long>(std::size(rows)));
  for (long id = 1; id <= Count(); ++id) {
    const Row& row = rows[id - 1];
    SCOPED_TRACE(::testing::PrintToString(std::wstring(row.name)));
    EXPECT_EQ(Name(id), row.name);
    EXPECT_EQ(Role(id), row.role);
    EXPECT_EQ(State(id), row.state);
  }
  EXPECT_EQ(Value(3), L"C:\\Vireo");
  EXPECT_EQ(Role(CHILDID_SELF), ROLE_SYSTEM_CLIENT);
  EXPECT_EQ(Name(CHILDID_SELF), L"install frame test");

  host_.Find(L"btn_install")->SetEnabled(false);
  EXPECT_EQ(State(5), STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(Name(99), L"");
  EXPECT_EQ(reader_.get()->get_accName(Child(99), nullptr), E_INVALIDARG);
}

// Locations are on the screen; hit testing and navigation find children again; the default
// action clicks once the call has returned; SELFLAG_TAKEFOCUS focuses.
TEST_F(SkinAccessibilityTest, LocationHitTestNavigationAndActions) {
  ASSERT_TRUE(Connect());
  const long check = IdOf(kAgreement);
  ASSERT_GT(check, 0);
  long x = 0, y = 0, w = 0, h = 0;
  ASSERT_EQ(reader_.get()->accLocation(&x, &y, &w, &h, Child(check)), S_OK);
  POINT origin = {0, 0};
  ::ClientToScreen(host_.GetHWND(), &origin);
  const RECT& pos = host_.Find(L"accept_eula")->GetPos();
  EXPECT_EQ(x, origin.x + pos.left);
  EXPECT_EQ(y, origin.y + pos.top);
  EXPECT_EQ(w, pos.right - pos.left);
  EXPECT_EQ(h, pos.bottom - pos.top);
  VARIANT hit;
  ASSERT_EQ(reader_.get()->accHitTest(x + w / 2, y + h / 2, &hit), S_OK);
  EXPECT_EQ(hit.lVal, check);
  ASSERT_EQ(reader_.get()->accHitTest(origin.x + 5, origin.y + 200, &hit), S_OK);  // the artwork
  EXPECT_EQ(hit.lVal, CHILDID_SELF);

  VARIANT to;
  ASSERT_EQ(reader_.get()->accNavigate(NAVDIR_NEXT, Child(check), &to), S_OK);
  EXPECT_EQ(Name(to.lVal), L"我已阅读并同意");
  ASSERT_EQ(reader_.get()->accNavigate(NAVDIR_UP, Child(check), &to), S_OK);
  EXPECT_EQ(Name(to.lVal), L"快速安装");
  ASSERT_EQ(reader_.get()->accNavigate(NAVDIR_LASTCHILD, Child(CHILDID_SELF), &to), S_OK);
  EXPECT_EQ(to.lVal, Count());

  EXPECT_EQ(reader_.DefaultAction(check), L"取消选中");
  auto* eula = static_cast<CheckBox*>(host_.Find(L"accept_eula"));
  ASSERT_EQ(reader_.get()->accDoDefaultAction(Child(check)), S_OK);
  EXPECT_TRUE(eula->IsSelected()) << "the action ran inside the call";
  Pump();
  EXPECT_FALSE(eula->IsSelected());
  EXPECT_EQ(State(check) & STATE_SYSTEM_CHECKED, 0);
  EXPECT_EQ(reader_.get()->accDoDefaultAction(Child(IdOf(L"和"))), DISP_E_MEMBERNOTFOUND);

  ASSERT_EQ(reader_.get()->accSelect(SELFLAG_TAKEFOCUS, Child(check)), S_OK);
  EXPECT_EQ(host_.GetFocus(), eula);
  EXPECT_NE(State(check) & STATE_SYSTEM_FOCUSED, 0);
  VARIANT focus;
  ASSERT_EQ(reader_.get()->get_accFocus(&focus), S_OK);
  EXPECT_EQ(focus.lVal, check);
}

// A page switch re-reads the children and puts the reader on the new page's first readable
// control when nothing there takes the keyboard focus; a later view's first button takes
// it. The object is cut off once the window is gone.
TEST_F(SkinAccessibilityTest, PageSwitchesMoveTheFocus) {
  ASSERT_TRUE(Connect());
  host_.Find(L"install")->SetVisible(false);
  host_.Find(L"installing")->SetVisible(true);
  static_cast<Progress*>(host_.Find(L"progress"))->SetValue(47.5);
  Pump();
  // Read through the toolkit: the system focus may be another test's window meanwhile.
  const long bar = FocusId();
  EXPECT_EQ(Name(bar), L"安装进度");
  EXPECT_EQ(Role(bar), ROLE_SYSTEM_PROGRESSBAR);
  EXPECT_EQ(Value(bar), L"48%");
  EXPECT_EQ(IdOf(L"快速安装"), 0) << "a hidden page's controls are no children";

  host_.Find(L"inprogress")->SetVisible(false);
  host_.Find(L"complete")->SetVisible(true);
  Pump();
  EXPECT_EQ(Name(FocusId()), L"完成");
  EXPECT_EQ(host_.GetFocus(), host_.Find(L"btn_complete"));
  EXPECT_GT(IdOf(L"安装完成，欢迎使用！"), 0);

  ::DestroyWindow(host_.GetHWND());
  long count = 0;
  EXPECT_EQ(reader_.get()->get_accChildCount(&count), RPC_E_DISCONNECTED);
}

// The uninstall window built from the same skin folder is read the same way.
class UninstallFrameHost : public WindowImplBase {
 protected:
  std::wstring GetSkinFolder() const override { return L"frame"; }
  std::wstring GetSkinFile() const override { return L"UIUninstallFrame.xml"; }
  void OnFinalMessage(HWND) override {}
};

TEST_F(SkinAccessibilityTest, UninstallWindowIsReadableToo) {
  UninstallFrameHost uninstall;
  ASSERT_NE(uninstall.Create(nullptr, L"uninstall test", WS_POPUP, 0), nullptr);
  testing::LayoutTree(uninstall);
  vireo::test::AccessibleWindow reader;
  ASSERT_TRUE(reader.Connect(uninstall.GetHWND()));
  const std::pair<const wchar_t*, long> rows[] = {
      {L"最小化", ROLE_SYSTEM_PUSHBUTTON},
      {L"关闭", ROLE_SYSTEM_PUSHBUTTON},
      {L"同时删除您的浏览数据", ROLE_SYSTEM_CHECKBUTTON},
      {L"取消", ROLE_SYSTEM_PUSHBUTTON},
      {L"卸载", ROLE_SYSTEM_PUSHBUTTON},
  };
  ASSERT_EQ(reader.ChildCount(), static_cast<long>(std::size(rows)));
  for (long id = 1; id <= reader.ChildCount(); ++id) {
    EXPECT_EQ(reader.Name(id), rows[id - 1].first);
    EXPECT_EQ(reader.Role(id), rows[id - 1].second);
  }
  ::DestroyWindow(uninstall.GetHWND());
}

// Without oleacc the window answers nothing of its own, and nothing fails.
TEST_F(SkinAccessibilityTest, MissingOleaccLeavesTheDefaultAnswer) {
  SetOleaccLibraryForTesting(L"no_such_oleacc.dll");
  EXPECT_EQ(::SendMessageW(host_.GetHWND(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)), 0);
  SetOleaccLibraryForTesting(L"");
  EXPECT_NE(::SendMessageW(host_.GetHWND(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)), 0);
}

// The focused control carries the accent-coloured mark only once a key has been pressed.
TEST_F(SkinAccessibilityTest, FocusMarkAfterKeyboardUseOnly) {
  Control* folder = host_.Find(L"btn_sel_path");
  const RECT& pos = folder->GetPos();
  const auto mark_shows = [&] {
    ::RedrawWindow(host_.GetHWND(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const IRenderContext* render = host_.GetRenderContext();
    const uint32_t pixel = const_cast<IRenderContext*>(render)->GetBits()[(pos.top + 10) * render->GetWidth() + pos.left - 1];
    return testing::Near(testing::Rgb(pixel), 0x006DD9, 8);
  };
  const LPARAM at = MAKELPARAM(pos.left + 5, pos.top + 5);
  ::SendMessageW(host_.GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(host_.GetHWND(), WM_LBUTTONUP, 0, at);
  ASSERT_EQ(host_.GetFocus(), folder);
  EXPECT_FALSE(mark_shows()) << "a mouse click showed the focus mark";
  ::SendMessageW(host_.GetHWND(), WM_KEYDOWN, VK_SHIFT, 0);
  EXPECT_TRUE(mark_shows()) << "no focus mark after a key";
  ::SendMessageW(host_.GetHWND(), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(host_.GetFocus(), host_.Find(L"btn_install"));
  EXPECT_FALSE(mark_shows()) << "the mark stayed behind";
}

}  // namespace
}  // namespace ui
