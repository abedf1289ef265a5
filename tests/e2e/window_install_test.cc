// The install window as a user meets it: the built installer started without switches,
// driven by real mouse and keyboard input, checked by a few pixel probes on the screen and,
// afterwards, by the files, registry, links, log and exit status it leaves.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "installer/ui/legal_pages.h"
#include "support/scoped_handle.h"
#include "support/string_util.h"
#include "tests/e2e/install_window_pages.h"
#include "tests/e2e/screen_text.h"
#include "tests/e2e/user_profile.h"
#include "tests/e2e/window_driver.h"
#include "tests/test_support/process_runner.h"
#include "tests/test_support/demo_browser.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/https_handler.h"
#include "tests/test_support/registry_readback.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo::test {
namespace {

using namespace install_window;  // the skin's points and colours

constexpr unsigned kWindowLimitMs = 15000;
constexpr unsigned kInstallLimitMs = 40000;  // within the test time-out of a minute

constexpr wchar_t kAppPaths[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\vireo.exe";
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vireo";

// Ends every browser copy the window started (the installed "vireo.exe", or the demo
// browser standing in for the default browser), so the profile can be cleaned.
void EndBrowsers() {
  EndProcessesNamed(L"vireo.exe");
  EndProcessesNamed(L"demo_browser.exe");
}

class WindowInstallTest : public testing::Test {
 protected:
  void SetUp() override {
    CleanUserProfile();
    paths_ = GetUserProfilePaths();
    report_ = work_.Join(L"browser-command-line.txt");
    ::SetEnvironmentVariableW(L"VIREO_DEMO_REPORT", report_.c_str());
  }
  void TearDown() override {
    EndChild(installer_);
    ::SetEnvironmentVariableW(L"VIREO_DEMO_REPORT", nullptr);
    https_handler_.reset();
    EndBrowsers();
    CleanUserProfile();
    std::wstring remains;
    EXPECT_TRUE(ProfileIsClean(&remains)) << "left behind: " << testing::PrintToString(remains);
  }

  // Starts a copy of |target| without switches and waits for its painted start page.
  HWND Open(const std::string& target = "bin/vireo_setup.exe") {
    const std::wstring copy = work_.Join(L"vireo_setup.exe");
    log_path_ = copy + L".log";
    if (!::CopyFileW(BuildPath(target).c_str(), copy.c_str(), FALSE)) return nullptr;
    installer_ = StartChild(L"\"" + copy + L"\"");
    if (!installer_.valid()) return nullptr;
    window_ = WaitForProcessWindow(installer_.pid, kInstallWindowTitle, nullptr, kWindowLimitMs);
    if (window_ && !WaitFor([&] { return StartPageShows(window_); }, kWindowLimitMs)) {
      ADD_FAILURE() << "the start page was not painted";
    }
    // Keys go to the foreground window, where the window must come up by itself.
    if (window_ && !WaitFor([&] { return ::GetForegroundWindow() == window_; }, kWindowLimitMs)) {
      ADD_FAILURE() << "the window did not come to the foreground";
    }
    return window_;
  }
  // Opens |target|, starts the install and closes the window while it runs; the exit status
  // once the process has ended (-1 when the install never started, -2 when it did not end).
  int InstallAndClose(const std::string& target) {
    if (!Open(target)) return -1;
    Click(kInstallButton);
    if (!WaitFor([&] { return ProgressPageShows(); }, kWindowLimitMs)) return -1;
    Click(kCloseButton);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(window_); }, 500)) << "the window stayed";
    return Exit();
  }
  bool Probe(POINT at, uint32_t color) const { return Shows(window_, at, color); }
  void Click(POINT at) { MouseClick(ScreenPoint(window_, at.x, at.y)); }
  bool ProgressPageShows() const { return install_window::ProgressPageShows(window_); }
  bool CompletionShows() const { return install_window::CompletionShows(window_); }
  // The exit status; -2 when the installer did not end within the limit.
  int Exit(unsigned limit_ms = kInstallLimitMs) {
    const DWORD code = WaitExitCode(installer_, limit_ms);
    return code == STILL_ACTIVE ? -2 : static_cast<int>(code);
  }
  std::wstring Log() const {
    std::string bytes = ReadFileBytes(log_path_);
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
    return Utf8ToWide(bytes);
  }
  std::wstring Report() const { return Utf8ToWide(ReadFileBytes(report_)); }
  bool Has(const std::wstring& relative) const { return PathExists(paths_.app_dir + L"\\" + relative); }
  // Everything a silent install leaves: files, links, registry.
  void ExpectInstalled() const {
    EXPECT_TRUE(Has(L"vireo.exe"));
    EXPECT_TRUE(PathExists(paths_.start_menu_link));
    EXPECT_TRUE(PathExists(paths_.desktop_link));
    EXPECT_TRUE(RegKeyExists(kAppPaths));
    EXPECT_TRUE(RegKeyExists(kUninstallKey));
  }
  void ExpectNothingInstalled() const {
    EXPECT_FALSE(Has(L"vireo.exe"));
    EXPECT_FALSE(PathExists(paths_.start_menu_link));
    EXPECT_FALSE(PathExists(paths_.desktop_link));
    EXPECT_FALSE(RegKeyExists(kAppPaths));
    EXPECT_FALSE(RegKeyExists(kUninstallKey));
  }
  // The x of the first pixel of each run of link-blue text on the agreement row, right of
// |from_x|.
  std::vector<int> LinkRuns(int from_x) const {
    const WindowShot shot(window_);
    std::vector<int> runs;
    int last = -100;
    for (int x = from_x; x < shot.width() - 60; ++x) {
      for (int y = kAgreementRowY - 8; y <= kAgreementRowY + 8; ++y) {
        const uint32_t c = shot.At(x, y);
        const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
        if (b > 150 && r < 110 && g < 130) {
          if (x - last > 14) runs.push_back(x);
          last = x;
          break;
        }
      }
    }
    return runs;
  }
  // The check box: the first non-white pixel from the left on the agreement row.
  POINT CheckBox() const {
    const WindowShot shot(window_);
    for (int x = 60; x < shot.width() / 2; ++x) {
      if (!ColorNear(shot.At(x, kAgreementRowY), kWhite, 12)) return POINT{x + 6, kAgreementRowY};
    }
    return POINT{0, 0};
  }

  UserProfilePaths paths_;
  ScopedTempDir work_;
  std::wstring log_path_;
  std::wstring report_;
  Child installer_;
  HWND window_ = nullptr;
  std::optional<ScopedHttpsHandler> https_handler_;
};

// The captionless window in the foreground, centred, with the default folder; the caption
// band drags it except over its controls; minimise; close installs nothing.
TEST_F(WindowInstallTest, StartPageDragsMinimisesAndCloses) {
  ASSERT_TRUE(Open());
  RECT rc{};
  ::GetWindowRect(window_, &rc);
  EXPECT_EQ(rc.right - rc.left, 660);
  EXPECT_EQ(rc.bottom - rc.top, 512);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR(rc.left, work.left + (work.right - work.left - 660) / 2, 1);
  EXPECT_NEAR(rc.top, work.top + (work.bottom - work.top - 512) / 2, 1);
  EXPECT_EQ(::GetWindowLongW(window_, GWL_STYLE) & (WS_CAPTION | WS_POPUP), WS_POPUP);
  {  // the folder box shows its text (which text: the frame's own test)
    const WindowShot shot(window_);
    int dark = 0;
    for (int x = 150; x < 460; ++x) {
      for (int y = 366; y < 388; ++y) dark += (shot.At(x, y) & 0xFF) < 120;
    }
    EXPECT_GT(dark, 40) << "the folder box is empty";
  }

  // The artwork inside the band drags the window by as much as the pointer moved. The
  // system's move loop starts some time after the press: the moves wait for the loop, each
  // step waits for the window to follow, and the button is released only once it has, or the
  // loop would wait for another release. Under Wine without a window manager, pointer moves
  // are now and then not passed on for a while after another program's window was killed
  // (earlier cases end theirs so), for some seconds: a drag that did not follow is tried
  // again, twice at most, from where the window then stands. A window that cannot be
  // dragged fails all three.
  const auto drag_follows = [&](int attempt) {
    ::GetWindowRect(window_, &rc);
    const POINT grab = ScreenPoint(window_, kDragPoint.x, kDragPoint.y);
    MouseMove(grab);
    MouseDown(grab);
    const bool looping = WaitFor([&] {
      GUITHREADINFO info{};
      info.cbSize = sizeof(info);
      return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window_, nullptr), &info) &&
             (info.flags & GUI_INMOVESIZE) != 0;
    }, 3000);
    bool followed = looping;
    for (int step = 1; step <= 4 && followed; ++step) {
      MouseMove(POINT{grab.x + 15 * step, grab.y + 10 * step});
      followed = WaitFor([&] {
        RECT now{};
        ::GetWindowRect(window_, &now);
        return now.left == rc.left + 15 * step && now.top == rc.top + 10 * step;
      }, 3000);
      if (!followed) std::fprintf(stderr, "drag attempt %d: step %d not followed\n", attempt, step);
    }
    MouseUp(POINT{grab.x + 60, grab.y + 40});
    return followed;
  };
  EXPECT_TRUE(drag_follows(1) || drag_follows(2) || drag_follows(3)) << "the caption band does not drag";
  ::GetWindowRect(window_, &rc);

  // Presses that start on the folder box or a button never drag.
  MouseDrag(ScreenPoint(window_, kFolderBox.x, kFolderBox.y), ScreenPoint(window_, kFolderBox.x + 50, kFolderBox.y + 30));
  MouseDrag(ScreenPoint(window_, kCloseButton.x, kCloseButton.y), ScreenPoint(window_, kCloseButton.x - 80, kCloseButton.y + 80));
  RECT after{};
  ::GetWindowRect(window_, &after);
  EXPECT_EQ(after.left, rc.left) << "the folder box or the close button dragged the window";
  EXPECT_EQ(after.top, rc.top);

  Click(kMinButton);
  EXPECT_TRUE(WaitFor([&] { return ::IsIconic(window_) != FALSE; }, 3000)) << "minbtn did not minimise";
  ::ShowWindow(window_, SW_RESTORE);
  ASSERT_TRUE(WaitFor([&] { return !::IsIconic(window_) && Probe(kInstallButtonProbe, kInstallNormal); }, 5000));

  MouseMove(ScreenPoint(window_, kDragPoint.x, kDragPoint.y));
  Click(kCloseButton);
  EXPECT_EQ(Exit(10000), 0);
  ExpectNothingInstalled();
}

// The agreement row is drawn in a face that has its glyphs, whichever faces the system
// has: the machine's OCR reads the sentence back from the screen (missing-glyph boxes read
// as noise).
TEST_F(WindowInstallTest, AgreementRowReadsBackAsItsSentence) {
  ASSERT_TRUE(Open());
  MouseMove(ScreenPoint(window_, kNeutralPoint.x, kNeutralPoint.y));
  const POINT check = CheckBox();
  ASSERT_GT(check.x, 0) << "no check box on the agreement row";
  const std::wstring image = work_.Join(L"agreement.bmp");
  // Right of the check box, one line high, enlarged as OCR likes small print.
  const RECT row = {check.x + 10, kAgreementRowY - 12, 660 - check.x + 10, kAgreementRowY + 12};
  ASSERT_TRUE(SaveShot(WindowShot(window_), row, 3, image));
  std::string error;
  EXPECT_EQ(ReadTextLine(image, "chi_sim", &error), L"我已阅读并同意《用户协议》和《隐私政策》") << error;
  Click(kCloseButton);
  EXPECT_EQ(Exit(10000), 0);
}

// A cleared agreement disables the install button for clicks and Enter; ticking it again
// restores it. The links open the legal pages in the default browser.
TEST_F(WindowInstallTest, AgreementGatesTheInstallAndLinksOpenTheLegalPages) {
  // The demo browser stands in for the user's default browser.
  https_handler_.emplace(L"\"" + DemoBrowserPath() + L"\" \"%1\"");
  ASSERT_TRUE(https_handler_->ok());
  ASSERT_TRUE(Open());
  const POINT check = CheckBox();
  ASSERT_GT(check.x, 0) << "no check box on the agreement row";
  Click(check);
  ASSERT_TRUE(WaitFor([&] { return Probe(kInstallButtonProbe, kInstallDisabled); }, 3000))
      << "clearing the agreement did not disable the install button";
  // Neither a click nor Enter (with the folder box focused) may start the install. Input is
  // handled in order: once the later tick has re-enabled the button, both were handled, and
  // a started install would have switched to the progress page.
  Click(kInstallButton);
  Click(kFolderBox);
  PressKey(VK_RETURN);
  EXPECT_TRUE(Probe(kInstallButtonProbe, kInstallDisabled));
  Click(check);
  EXPECT_TRUE(WaitFor([&] { return Probe(kInstallButtonProbe, kInstallNormal); }, 3000));
  EXPECT_FALSE(ProgressPageShows()) << "a click or Enter started a disabled install";

  const std::vector<int> links = LinkRuns(check.x + 14);
  ASSERT_EQ(links.size(), 2u) << "expected the two legal links";
  const std::pair<int, const wchar_t*> pages[] = {{links[0], kTermsOfServicePath}, {links[1], kPrivacyPolicyPath}};
  for (const auto& [x, path] : pages) {
    ::DeleteFileW(report_.c_str());
    Click(POINT{x + 10, kAgreementRowY});
    ASSERT_TRUE(WaitFor([&] { return Report().find(path) != std::wstring::npos; }, kWindowLimitMs))
        << testing::PrintToString(path) << " not opened; browser got " << testing::PrintToString(Report());
    EXPECT_NE(Report().find(std::wstring(kLegalHost) + path), std::wstring::npos);
    EndBrowsers();
  }
  EXPECT_FALSE(ProgressPageShows());
  Click(kCloseButton);
  EXPECT_EQ(Exit(10000), 0);
  ExpectNothingInstalled();
}

// The install runs exactly as a silent one, the completion view follows, "完成" closes with
// 0 and starts nothing.
TEST_F(WindowInstallTest, InstallThenFinish) {
  ASSERT_TRUE(Open());
  Click(kInstallButton);
  EXPECT_TRUE(WaitFor([&] { return ProgressPageShows() || CompletionShows(); }, kWindowLimitMs));
  ASSERT_TRUE(WaitFor([&] { return CompletionShows(); }, kInstallLimitMs)) << testing::PrintToString(Log());
  Click(kCompleteButton);
  EXPECT_EQ(Exit(10000), 0);
  ExpectInstalled();
  EXPECT_EQ(Log().find(L"failed"), std::wstring::npos) << testing::PrintToString(Log());
  EXPECT_FALSE(PathExists(report_)) << "完成 started the browser";
}

// With the keyboard and "立即体验": Enter installs; the button starts the browser as
// "<app>\vireo.exe" --lchannel=install and closes.
TEST_F(WindowInstallTest, EnterInstallsThenTryNowStartsTheBrowser) {
  ASSERT_TRUE(Open());
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return CompletionShows(); }, kInstallLimitMs)) << testing::PrintToString(Log());
  Click(kTryNowButton);
  EXPECT_EQ(Exit(10000), 0);
  ExpectInstalled();
  ASSERT_TRUE(WaitFor([&] { return !Report().empty(); }, kWindowLimitMs)) << "the browser was not started";
  EXPECT_EQ(Report(), L"\"" + paths_.app_dir + L"\\vireo.exe\" --lchannel=install");
}

// A step fails late (the payload has no uninstaller): the error box names the failure
// and the log, everything is rolled back, the progress page stays, and the run exits 1 when
// the window is closed: a deployment tool that started it must not read success.
TEST_F(WindowInstallTest, LateFailureShowsTheErrorAndRollsBack) {
  ASSERT_TRUE(Open("installers/setup_no_uninstaller/vireo_setup.exe"));
  Click(kInstallButton);
  const HWND box = WaitForProcessWindow(installer_.pid, kInstallWindowTitle, L"#32770", kInstallLimitMs);
  ASSERT_TRUE(box) << "no error box; log: " << testing::PrintToString(Log());
  const std::wstring text = MessageBoxText(box);
  EXPECT_NE(text.find(std::wstring(kLogPathLead) + log_path_), std::wstring::npos) << testing::PrintToString(text);
  EXPECT_NE(Log().find(L"[ui] install failed: " + text.substr(0, text.find(kLogPathLead))), std::wstring::npos)
      << testing::PrintToString(Log());
  ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == box; }, kWindowLimitMs)) << "the error box is not in front";
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }, 5000)) << "the error box did not close";
  EXPECT_TRUE(ProgressPageShows()) << "the progress page did not stay";
  Click(kCloseButton);
  EXPECT_EQ(Exit(10000), 1);
  ExpectNothingInstalled();
}

// Closing while the install runs hides the window at once; the install goes on to the end
// on the worker before the process exits 0: an install that can succeed is never cut off
// half-done.
TEST_F(WindowInstallTest, ClosingDuringTheInstallLetsItFinish) {
  EXPECT_EQ(InstallAndClose("bin/vireo_setup.exe"), 0) << testing::PrintToString(Log());
  ExpectInstalled();
}

// The same close while an install that will fail runs: its failure never reaches a window,
// yet the run exits 1 once the rollback is done.
TEST_F(WindowInstallTest, ClosingDuringAFailingInstallExitsOne) {
  EXPECT_EQ(InstallAndClose("installers/setup_no_uninstaller/vireo_setup.exe"), 1) << testing::PrintToString(Log());
  ExpectNothingInstalled();
}

}  // namespace
}  // namespace vireo::test
