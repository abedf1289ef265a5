// The installer against a browser that is running, as a user would meet it.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer/product_constants.h"
#include "support/file_version.h"
#include "support/scoped_handle.h"
#include "support/string_util.h"
#include "tests/e2e/installer_process.h"
#include "tests/e2e/user_profile.h"
#include "tests/test_support/demo_browser.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_env.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo::test {
namespace {

// Process ids of every running "vireo.exe" whose image lies in |folder|.
std::vector<DWORD> BrowsersIn(const std::wstring& folder) {
  std::vector<DWORD> pids;
  ScopedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return pids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL ok = ::Process32FirstW(snapshot.get(), &entry); ok; ok = ::Process32NextW(snapshot.get(), &entry)) {
    if (!EqualsIgnoreAsciiCase(entry.szExeFile, kMainExeName)) continue;
    ScopedHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    wchar_t image[MAX_PATH];
    DWORD size = MAX_PATH;
    if (process && ::QueryFullProcessImageNameW(process.get(), 0, image, &size) &&
        StartsWithIgnoreAsciiCase(image, folder + L"\\")) {
      pids.push_back(entry.th32ProcessID);
    }
  }
  return pids;
}

void EndBrowsersIn(const std::wstring& folder) {
  for (DWORD pid : BrowsersIn(folder)) {
    ScopedHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    if (!process) continue;
    ::TerminateProcess(process.get(), 0);
    ::WaitForSingleObject(process.get(), 5000);
  }
}

class RunningBrowserTest : public testing::Test {
 protected:
  void SetUp() override {
    CleanUserProfile();
    paths_ = GetUserProfilePaths();
  }
  void TearDown() override {
    EndBrowsersIn(paths_.app_dir);
    CleanUserProfile();
  }
  InstallerRun Run(const std::wstring& installer, const std::wstring& args) {
    return RunInstallerCopy(installer, runner_dir_.path(), args);
  }

  UserProfilePaths paths_;
  ScopedTempDir runner_dir_;
};

// A silent update while the installed browser runs stages the new executable as
// new_vireo.exe beside the running one, leaves the browser running and succeeds.
TEST_F(RunningBrowserTest, SilentUpdateStagesTheNewExecutable) {
  ASSERT_EQ(Run(BuildPath("bin/vireo_setup.exe"), L"--silent").exit_code, 0);
  const std::wstring main_exe = paths_.app_dir + L"\\vireo.exe";
  Child browser = StartBrowser(main_exe);
  ASSERT_TRUE(browser.valid());

  const InstallerRun run = Run(BuildPath("installers/setup_v2/vireo_setup.exe"), L"--silent");
  EXPECT_EQ(run.exit_code, 0) << testing::PrintToString(run.log);
  EXPECT_TRUE(IsRunning(browser));
  EXPECT_EQ(GetFileVersionString((paths_.app_dir + L"\\new_vireo.exe").c_str()), L"2.0.0.1");
  EXPECT_EQ(GetFileVersionString(main_exe.c_str()), L"" VIREO_TEST_FILE_VERSION);
  // With an update waiting to be swapped in, no version folder is cleaned up.
  EXPECT_TRUE(PathExists(paths_.app_dir + L"\\" VIREO_TEST_FILE_VERSION));
  EXPECT_TRUE(PathExists(paths_.app_dir + L"\\2.0.0.1"));
  EndChild(browser);
}

// A silent portable run starts the installed browser afterwards; with pending_restart it
// does not. Each run's browser would report its start in a file of its own: the second run's
// report arriving proves the first run, which ended earlier, had time to start one too.
TEST_F(RunningBrowserTest, PortableRunStartsTheBrowserUnlessPendingRestart) {
  ScopedTempDir parent;
  const std::wstring dir = parent.Join(L"Portable Vireo");
  const std::wstring held_report = parent.Join(L"pending-restart.txt");
  const std::wstring started_report = parent.Join(L"started.txt");
  {
    const ScopedEnvVar report(L"VIREO_DEMO_REPORT", held_report.c_str());
    const InstallerRun run = Run(BuildPath("bin/vireo_setup.exe"),
                                 L"--portable --installpath=\"" + dir + L"\" --silent --pending_restart");
    ASSERT_EQ(run.exit_code, 0) << testing::PrintToString(run.log);
  }
  {
    const ScopedEnvVar report(L"VIREO_DEMO_REPORT", started_report.c_str());
    const InstallerRun run = Run(BuildPath("bin/vireo_setup.exe"), L"--portable --installpath=\"" + dir + L"\" --silent");
    EXPECT_EQ(run.exit_code, 0) << testing::PrintToString(run.log);
  }
  bool started = false;
  for (int i = 0; i < 100 && !started; ++i) {  // the launch is not waited for: poll up to 10 s
    started = PathExists(started_report) && !BrowsersIn(dir).empty();
    if (!started) ::Sleep(100);
  }
  EXPECT_TRUE(started) << "the portable run did not start the browser";
  EXPECT_FALSE(PathExists(held_report)) << "--pending_restart started the browser";
  EndBrowsersIn(dir);
}

}  // namespace
}  // namespace vireo::test
