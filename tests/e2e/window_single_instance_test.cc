// One installer at a time, as a user meets it with the install window: a second window run
// hands over to the first one's visible window, and a window run behind a run that shows no
// window (a silent one, or one whose window is closing) shows its own window waiting.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "installer/installer_strings.h"
#include "installer/run_checkpoint.h"
#include "installer/product_constants.h"
#include "support/scoped_handle.h"
#include "support/string_util.h"
#include "tests/e2e/install_window_pages.h"
#include "tests/e2e/uninstall_window_pages.h"
#include "tests/e2e/installer_process.h"
#include "tests/e2e/user_profile.h"
#include "tests/e2e/window_driver.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/process_runner.h"
#include "tests/test_support/scoped_env.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo::test {
namespace {

constexpr unsigned kLimitMs = 60000;
// A started window run shows its window within this time (a second and some slack for a
// loaded test machine).
constexpr unsigned kShowLimitMs = 3000;
constexpr unsigned kInstallLimitMs = 30000;
constexpr DWORD kReopenPauseMs = 3000;

using namespace install_window;  // the skin's points and colours

class WindowSingleInstanceTest : public testing::Test {
 protected:
  void SetUp() override { CleanUserProfile(); }
  void TearDown() override {
    for (Child* child : {&first_, &second_}) EndChild(*child);
    CleanUserProfile();
  }
  // A copy of |target| in a folder of its own, started with |args|.
  Child Start(const char* target, const wchar_t* folder, const std::wstring& args = L"") {
    const std::wstring dir = runners_.Join(folder);
    const std::wstring copy = dir + L"\\vireo_setup.exe";
    if (!MakeDirs(dir) || !::CopyFileW(BuiltInstaller(target).c_str(), copy.c_str(), FALSE)) return Child();
    return StartChild(Quote(copy) + (args.empty() ? L"" : L" " + args));
  }
  // Starts a silent run into first_ and holds it as it writes the registry, with the lock.
  void HoldASilentRun() {
    const std::wstring event_name = UniqueName(L"vireo_hold");
    const ScopedHandle reached(::CreateEventW(nullptr, TRUE, FALSE, event_name.c_str()));
    const ScopedEnvVar at(L"VIREO_TEST_HOLD_AT",
                          std::to_wstring(static_cast<int>(RunCheckpoint::kRegistryWriting)).c_str());
    const ScopedEnvVar event(L"VIREO_TEST_HOLD_EVENT", event_name.c_str());
    first_ = Start("setup_hold", L"silent", L"--silent");
    ASSERT_TRUE(first_.valid());
    const HANDLE waits[] = {reached.get(), first_.process.get()};
    ASSERT_EQ(::WaitForMultipleObjects(2, waits, FALSE, kLimitMs), WAIT_OBJECT_0);
  }
  // Presses Enter (the install button's key) as soon as the button is usable and waits for
  // the completion view.
  static void InstallOnceUsable(HWND window) {
    ASSERT_TRUE(WaitFor([&] { return StartPageShows(window); }, kLimitMs)) << "the install button never became usable";
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == window; }, kLimitMs)) << "not in the foreground";
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return CompletionShows(window); }, kInstallLimitMs))
        << "no completion view; start page " << StartPageShows(window) << ", progress " << ProgressPageShows(window);
  }
  std::wstring LogOf(const wchar_t* folder) const {
    return Utf8ToWide(ReadFileBytes(runners_.Join(folder) + L"\\vireo_setup.exe.log"));
  }

  ScopedTempDir runners_;
  Child first_;
  Child second_;
};

// The first run's window, even minimised, is restored by a second window run, which ends
// with status 0 and leaves the first one running.
TEST_F(WindowSingleInstanceTest, SecondWindowRunBringsTheFirstOneBack) {
  first_ = Start("vireo_setup", L"first");
  ASSERT_TRUE(first_.valid());
  const HWND window = WaitForProcessWindow(first_.pid, kInstallWindowTitle, kFrameClassName, kLimitMs);
  ASSERT_NE(window, nullptr);
  ::ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return ::IsIconic(window) != FALSE; }, kLimitMs));

  second_ = Start("vireo_setup", L"second");
  ASSERT_TRUE(second_.valid());
  EXPECT_EQ(WaitExitCode(second_, kLimitMs), 0u);
  EXPECT_TRUE(WaitFor([&] { return !::IsIconic(window); }, kLimitMs));
  EXPECT_NE(LogOf(L"second").find(kInstanceHandedOverLog), std::wstring::npos);
  EXPECT_EQ(WaitExitCode(first_, 0), static_cast<DWORD>(STILL_ACTIVE));
}

// A window run behind a silent run (which has no window to hand over to) shows its own
// window within a second or so, in a waiting state: the install button is unavailable and
// Enter does nothing. The moment the silent run has ended (here: ended half-way, leaving
// its lock abandoned) the button becomes usable and the window installs.
TEST_F(WindowSingleInstanceTest, WindowRunBehindASilentRunWaitsWithItsWindow) {
  ASSERT_NO_FATAL_FAILURE(HoldASilentRun());

  second_ = Start("vireo_setup", L"window");
  ASSERT_TRUE(second_.valid());
  const HWND window = WaitForProcessWindow(second_.pid, kInstallWindowTitle, kFrameClassName, kShowLimitMs);
  ASSERT_NE(window, nullptr) << "no window within " << kShowLimitMs << " ms";
  ASSERT_TRUE(WaitFor([&] { return Shows(window, kInstallButtonProbe, kInstallDisabled); }, kLimitMs));
  EXPECT_NE(LogOf(L"window").find(kInstanceWindowWaitingLog), std::wstring::npos);
  ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == window; }, kLimitMs));
  PressKey(VK_RETURN);
  // Enter while waiting starts nothing: the start page is still there once the lock frees.
  EndChild(first_);
  InstallOnceUsable(window);
}

// An uninstall window run behind a silent run shows its own window at once, waiting: its
// uninstall button unavailable (the skin's pale blue) until the silent run has ended; then
// it can be used, here cancelled with nothing changed.
TEST_F(WindowSingleInstanceTest, UninstallWindowBehindASilentRunWaitsWithItsWindow) {
  ASSERT_NO_FATAL_FAILURE(HoldASilentRun());

  second_ = Start("vireo_setup", L"uninstall", L"--uninstall");
  ASSERT_TRUE(second_.valid());
  const HWND window = WaitForProcessWindow(second_.pid, kUninstallWindowTitle, kFrameClassName, kShowLimitMs);
  ASSERT_NE(window, nullptr) << "no window within " << kShowLimitMs << " ms";
  const POINT probe = uninstall_window::Scaled(window, uninstall_window::kUninstallProbe);
  EXPECT_TRUE(WaitFor([&] { return Shows(window, probe, kInstallDisabled); }, kLimitMs))
      << "the uninstall button is usable while another run works";
  EXPECT_NE(LogOf(L"uninstall").find(kInstanceWindowWaitingLog), std::wstring::npos);
  EndChild(first_);
  ASSERT_TRUE(WaitFor([&] { return uninstall_window::StartPageShows(window); }, kLimitMs))
      << "the uninstall button never became usable";
  ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == window; }, kLimitMs));
  PressKey(VK_ESCAPE);
  EXPECT_EQ(WaitExitCode(second_, kLimitMs), 0u);
}

// Closing the window and starting the installer again, as a user double-clicks it, shows a
// new window within a few seconds (the closing one is never handed over to, however long it
// takes to go) that installs once usable. Started half a second after the close, the new
// window appears and becomes usable too, but under Wine without a window manager the mouse
// and keyboard input of that display stays unreliable while the first window is torn down
// (later window cases then fail), so only the later start is driven here.
TEST_F(WindowSingleInstanceTest, ReopenedSoonAfterClosingShowsAWindowThatInstalls) {
  first_ = Start("vireo_setup", L"first");
  ASSERT_TRUE(first_.valid());
  const HWND first_window = WaitForProcessWindow(first_.pid, kInstallWindowTitle, kFrameClassName, kLimitMs);
  ASSERT_NE(first_window, nullptr);
  ASSERT_TRUE(WaitFor([&] { return StartPageShows(first_window); }, kLimitMs));
  MouseClick(ScreenPoint(first_window, kCloseButton.x, kCloseButton.y));
  // The pause a user takes before starting it again; the first run may still be going.
  ::WaitForSingleObject(first_.process.get(), kReopenPauseMs);

  second_ = Start("vireo_setup", L"second");
  ASSERT_TRUE(second_.valid());
  const HWND window = WaitForProcessWindow(second_.pid, kInstallWindowTitle, kFrameClassName, kShowLimitMs);
  ASSERT_NE(window, nullptr) << "no window " << kReopenPauseMs << " ms after the close";
  InstallOnceUsable(window);
  // Both runs end as a user ends them: a window killed mid-way leaves Wine's display in a
  // state that disturbs the next window's mouse input.
  MouseClick(ScreenPoint(window, kCompleteButton.x, kCompleteButton.y));
  EXPECT_EQ(WaitExitCode(second_, kLimitMs), 0u);
  EXPECT_EQ(WaitExitCode(first_, kLimitMs), 0u);
}

}  // namespace
}  // namespace vireo::test
