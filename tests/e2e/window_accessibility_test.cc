// The install window as a blind or keyboard-only user meets it: a screen reader in this
// process reads the real installer's window through MSAA, hears its WinEvents through an
// out-of-context hook and installs the browser with default actions alone; a keyboard user
// walks the start page with Tab, Shift+Tab, Space, Enter and Esc as real key input.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>

#include "installer/installer_strings.h"
#include "support/scoped_com.h"
#include "tests/test_support/accessible_client.h"
#include "tests/e2e/install_window_pages.h"
#include "tests/e2e/user_profile.h"
#include "tests/e2e/window_driver.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/process_runner.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo::test {
namespace {

using namespace install_window;  // the skin's points and colours

constexpr unsigned kWindowLimitMs = 15000;
constexpr unsigned kInstallLimitMs = 40000;
constexpr wchar_t kAgreement[] = L"我已阅读并同意《用户协议》和《隐私政策》";
// Just left of the install button: where its focus mark is drawn.
constexpr POINT kInstallFocusMark = {269, 436};
constexpr uint32_t kAccent = 0x006DD9;

class WindowAccessibilityTest : public testing::Test {
 protected:
  void SetUp() override {
    CleanUserProfile();
    paths_ = GetUserProfilePaths();
  }
  void TearDown() override {
    EndChild(installer_);
    EndProcessesNamed(L"vireo.exe");
    CleanUserProfile();
  }
  // Starts a copy of the installer and waits for its painted start page in the foreground.
  bool Open() {
    const std::wstring copy = work_.Join(L"vireo_setup.exe");
    if (!::CopyFileW(BuildPath("bin/vireo_setup.exe").c_str(), copy.c_str(), FALSE)) return false;
    installer_ = StartChild(L"\"" + copy + L"\"");
    window_ = WaitForProcessWindow(installer_.pid, kInstallWindowTitle, nullptr, kWindowLimitMs);
    return window_ && WaitFor([&] { return StartPageShows(window_); }, kWindowLimitMs) &&
           WaitFor([&] { return ::GetForegroundWindow() == window_; }, kWindowLimitMs);
  }
  int Exit() {
    const DWORD code = WaitExitCode(installer_, kWindowLimitMs);
    return code == STILL_ACTIVE ? -2 : static_cast<int>(code);
  }
  bool InstallEnabled(long install) {
    const long state = reader_.State(install);
    return state >= 0 && (state & STATE_SYSTEM_UNAVAILABLE) == 0;
  }

  ScopedComApartment com_;
  UserProfilePaths paths_;
  ScopedTempDir work_;
  Child installer_;
  HWND window_ = nullptr;
  AccessibleWindow reader_;
};

TEST_F(WindowAccessibilityTest, ScreenReaderInstallsTheBrowser) {
  ASSERT_TRUE(Open());
  WinEventRecorder heard(window_);
  ASSERT_TRUE(heard.ok());
  ASSERT_TRUE(reader_.Connect(window_)) << "the window answers no accessible object";

  const long folder = reader_.Find(L"安装位置");
  ASSERT_GT(folder, 0);
  EXPECT_EQ(reader_.Role(folder), ROLE_SYSTEM_TEXT);
  EXPECT_EQ(reader_.Value(folder), paths_.product_root);
  const long agree = reader_.Find(kAgreement);
  const long install = reader_.Find(L"快速安装");
  ASSERT_GT(agree, 0);
  ASSERT_GT(install, 0);
  EXPECT_EQ(reader_.Role(agree), ROLE_SYSTEM_CHECKBUTTON);
  EXPECT_NE(reader_.State(agree) & STATE_SYSTEM_CHECKED, 0);

  // Clearing the agreement makes the install button unavailable, and both changes are heard.
  ASSERT_EQ(reader_.DoDefaultAction(agree), S_OK);
  EXPECT_TRUE(WaitFor([&] { return heard.Heard(EVENT_OBJECT_STATECHANGE, install); }, kWindowLimitMs))
      << "no state change heard for the install button";
  EXPECT_TRUE(heard.Heard(EVENT_OBJECT_STATECHANGE, agree));
  EXPECT_EQ(reader_.State(agree) & STATE_SYSTEM_CHECKED, 0);
  EXPECT_FALSE(InstallEnabled(install));
  EXPECT_TRUE(Shows(window_, kInstallButtonProbe, kInstallDisabled));
  ASSERT_EQ(reader_.DoDefaultAction(agree), S_OK);
  ASSERT_TRUE(WaitFor([&] { return InstallEnabled(install); }, kWindowLimitMs));
  EXPECT_NE(reader_.State(agree) & STATE_SYSTEM_CHECKED, 0);

  // Install: the reader lands on the progress bar and hears its value move.
  ASSERT_EQ(reader_.DoDefaultAction(install), S_OK);
  long bar = 0;
  ASSERT_TRUE(WaitFor([&] { return (bar = reader_.Find(L"安装进度")) > 0; }, kWindowLimitMs))
      << "no progress bar after the install button's default action";
  EXPECT_EQ(reader_.Role(bar), ROLE_SYSTEM_PROGRESSBAR);
  EXPECT_TRUE(heard.Heard(EVENT_OBJECT_FOCUS, bar) ||
              WaitFor([&] { return heard.Heard(EVENT_OBJECT_FOCUS, bar); }, kWindowLimitMs));
  // The percentage text under the bar is the child after it; its new texts are name changes.
  const long percent_text = bar + 1;
  EXPECT_EQ(reader_.Role(percent_text), ROLE_SYSTEM_STATICTEXT);
  long try_now = 0;
  ASSERT_TRUE(WaitFor([&] { return (try_now = reader_.Find(L"立即体验")) > 0; }, kInstallLimitMs))
      << "the completion view did not come";
  EXPECT_TRUE(heard.Heard(EVENT_OBJECT_VALUECHANGE, bar)) << "no progress value change heard";
  EXPECT_TRUE(heard.Heard(EVENT_OBJECT_NAMECHANGE, percent_text)) << "no new percentage heard";

  // The completion view: focus on its default button; "完成" finishes without a browser.
  EXPECT_TRUE(WaitFor([&] { return heard.Heard(EVENT_OBJECT_FOCUS, try_now); }, kWindowLimitMs));
  EXPECT_EQ(reader_.FocusName(), L"立即体验");
  const long finish = reader_.Find(L"完成");
  ASSERT_GT(finish, 0);
  ASSERT_EQ(reader_.DoDefaultAction(finish), S_OK);
  EXPECT_EQ(Exit(), 0);
  EXPECT_TRUE(PathExists(paths_.app_dir + L"\\vireo.exe"));
}

TEST_F(WindowAccessibilityTest, KeyboardWalksTheStartPageAndEscCloses) {
  ASSERT_TRUE(Open());
  ASSERT_TRUE(reader_.Connect(window_));
  EXPECT_FALSE(Shows(window_, kInstallFocusMark, kAccent)) << "a focus mark before any key";
  const wchar_t* order[] = {L"安装位置", L"选择安装目录", L"快速安装", kAgreement, L"《用户协议》", L"《隐私政策》"};
  for (const wchar_t* name : order) {
    PressKey(VK_TAB);
    ASSERT_TRUE(WaitFor([&] { return reader_.FocusName() == name; }, kWindowLimitMs))
        << "Tab missed " << testing::PrintToString(std::wstring(name)) << ", focus on "
        << testing::PrintToString(reader_.FocusName());
    if (std::wstring(name) == L"快速安装") {
      EXPECT_TRUE(WaitFor([&] { return Shows(window_, kInstallFocusMark, kAccent); }, 3000))
          << "no focus mark beside the install button";
    }
  }
  PressKey(VK_TAB);
  EXPECT_TRUE(WaitFor([&] { return reader_.FocusName() == order[0]; }, kWindowLimitMs)) << "Tab does not wrap";
  for (int back : {5, 4, 3}) {
    PressKeyWith(VK_SHIFT, VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return reader_.FocusName() == order[back]; }, kWindowLimitMs))
        << "Shift+Tab missed " << back;
  }

  // On the focused check box Space toggles; Enter neither re-checks it nor installs. Keys are
  // handled in order: had Enter re-checked the box, the Space after it would clear it again
  // and the install button would stay disabled; had it installed, the progress page shows.
  const long agree = reader_.Find(kAgreement);
  PressKey(VK_SPACE);
  ASSERT_TRUE(WaitFor([&] { return Shows(window_, kInstallButtonProbe, kInstallDisabled); }, 3000))
      << "Space did not clear the agreement";
  EXPECT_EQ(reader_.State(agree) & STATE_SYSTEM_CHECKED, 0);
  PressKey(VK_RETURN);
  PressKey(VK_SPACE);
  EXPECT_TRUE(WaitFor([&] { return Shows(window_, kInstallButtonProbe, kInstallNormal); }, 3000))
      << "Enter re-checked the agreement (Space then cleared it)";
  EXPECT_FALSE(ProgressPageShows(window_)) << "Enter started a disabled install";
  EXPECT_NE(reader_.State(agree) & STATE_SYSTEM_CHECKED, 0);

  PressKey(VK_ESCAPE);
  EXPECT_EQ(Exit(), 0);
  std::wstring remains;
  EXPECT_TRUE(ProfileIsClean(&remains)) << "Esc installed something: " << testing::PrintToString(remains);
}

}  // namespace
}  // namespace vireo::test
