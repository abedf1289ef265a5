// One installer at a time, as a user meets it with the install window: a second window run
// hands over to the first one's window, and a window run behind a silent run (which has no
// window to hand over to) waits for it and then opens its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "installer/installer_strings.h"
#include "installer/run_checkpoint.h"
#include "installer/product_constants.h"
#include "support/scoped_handle.h"
#include "support/string_util.h"
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

// A silent run shows no window: a window run behind it waits without a window of its own
// while the silent run works, and opens its window once the silent run has ended (here:
// ended half-way, leaving its lock abandoned).
TEST_F(WindowSingleInstanceTest, WindowRunWaitsForASilentRun) {
  {
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

  second_ = Start("vireo_setup", L"window");
  ASSERT_TRUE(second_.valid());
  const std::wstring waiting(kInstanceWaitingLog, std::wstring_view(kInstanceWaitingLog).find(L'%'));
  ASSERT_TRUE(WaitFor([&] { return LogOf(L"window").find(waiting) != std::wstring::npos; }, kLimitMs));
  EXPECT_EQ(WaitExitCode(second_, 0), static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_EQ(FindProcessWindow(second_.pid, kInstallWindowTitle, kFrameClassName), nullptr);

  EndChild(first_);
  EXPECT_NE(WaitForProcessWindow(second_.pid, kInstallWindowTitle, kFrameClassName, kLimitMs), nullptr);
}

}  // namespace
}  // namespace vireo::test
