#include "installer/install.h"
#include "installer/kill_processes.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include "installer/install_options.h"
#include "support/scoped_handle.h"
#include "support/string_util.h"
#include "tests/test_support/demo_browser.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo {
namespace {

constexpr DWORD kClosedPolitely = 42;  // the demo's exit code after WM_CLOSE in these tests

// Milliseconds that |f| took.
template <typename F>
ULONGLONG Timed(F f) {
  const ULONGLONG start = ::GetTickCount64();
  f();
  return ::GetTickCount64() - start;
}

// Opens the first running process named |name| (SYNCHRONIZE), or an invalid handle.
ScopedHandle OpenByName(const wchar_t* name) {
  ScopedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL ok = ::Process32FirstW(snapshot.get(), &entry); ok; ok = ::Process32NextW(snapshot.get(), &entry)) {
    if (EqualsIgnoreAsciiCase(entry.szExeFile, name)) {
      return ScopedHandle(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    }
  }
  return {};
}

class KillProcessesTest : public testing::Test {
 protected:
  void SetUp() override {
    CInstallOptions::Get().ResetForTesting();
    app_ = dir_.Join(L"Vireo\\Application");
    ASSERT_TRUE(test::MakeDirs(app_));
    main_ = app_ + L"\\vireo.exe";
    ASSERT_TRUE(test::CopyProgram(test::DemoBrowserPath(), main_));
  }
  void TearDown() override {
    for (auto* c : {&a_, &b_}) test::EndChild(*c);
  }
  void SetPortable() {
    CInstallOptions& o = CInstallOptions::Get();
    o.portable = true;
    ASSERT_TRUE(o.app_dir.Assign(app_ + L"\\"));
  }

  test::ScopedTempDir dir_;
  std::wstring app_, main_;
  test::Child a_, b_;
};

// With no vireo.exe running nothing is posted or waited for, portable or not.
TEST_F(KillProcessesTest, NothingRunningReturnsAtOnce) {
  EXPECT_LT(Timed([] { CInstall::KillProcesses(); }), 1000u);
  SetPortable();
  EXPECT_LT(Timed([] { CInstall::KillProcesses(); }), 1000u);
}

// A browser that closes its window on request ends by itself and is not terminated.
TEST_F(KillProcessesTest, BrowserClosingOnRequestIsNotTerminated) {
  SetPortable();
  a_ = test::StartBrowser(main_, L"--exit-code=42");
  ASSERT_TRUE(a_.valid());
  EXPECT_LT(Timed([] { CInstall::KillProcesses(); }), 3000u);
  EXPECT_EQ(test::WaitExitCode(a_, 5000), kClosedPolitely);
}

// Portable: a browser ignoring WM_CLOSE is terminated (exit code 1) after the 3-second wait,
// while a copy in a folder whose name merely begins with the same text keeps running.
TEST_F(KillProcessesTest, PortableTerminatesOnlyItsOwnFolderAfterTheWait) {
  SetPortable();
  const std::wstring sibling = app_ + L"2";
  ASSERT_TRUE(test::MakeDirs(sibling));
  ASSERT_TRUE(test::CopyProgram(test::DemoBrowserPath(), sibling + L"\\vireo.exe"));
  a_ = test::StartBrowser(main_, L"--ignore-close");
  b_ = test::StartBrowser(sibling + L"\\vireo.exe", L"--exit-code=42");
  ASSERT_TRUE(a_.valid() && b_.valid());

  const ULONGLONG took = Timed([] { CInstall::KillProcesses(); });
  EXPECT_GE(took, 2800u);
  EXPECT_LT(took, 9000u);
  EXPECT_EQ(test::WaitExitCode(a_, 5000), 1u);
  EXPECT_TRUE(test::IsRunning(b_));
}

// A portable run whose folder was refused (too long) has no folder to limit the closing to:
// it closes nothing rather than every copy on the machine.
TEST_F(KillProcessesTest, PortableWithoutAFolderClosesNothing) {
  CInstallOptions& o = CInstallOptions::Get();
  o.portable = true;
  o.SetPortableDir(L"C:\\" + std::wstring(300, L'p'));
  ASSERT_STREQ(o.GetAppDir(), L"");
  a_ = test::StartBrowser(main_, L"--exit-code=42");
  ASSERT_TRUE(a_.valid());
  EXPECT_LT(Timed([] { CInstall::KillProcesses(); }), 1000u);
  EXPECT_TRUE(test::IsRunning(a_));
}

// Not portable: every vireo.exe goes, wherever it lies, with children of other names; with
// no browser window nothing is posted, so nothing is waited for before terminating.
TEST_F(KillProcessesTest, NonPortableEndsProcessTreesWithoutWaitingWhenNoWindow) {
  const std::wstring helper = dir_.Join(L"vireo_helper.exe");
  ASSERT_TRUE(test::CopyProgram(test::DemoBrowserPath(), helper));
  const std::wstring child_ready = test::UniqueName(L"vireo_child_ready");
  ScopedHandle child_event(::CreateEventW(nullptr, TRUE, FALSE, child_ready.c_str()));
  ASSERT_TRUE(child_event);
  const std::wstring elsewhere = dir_.Join(L"elsewhere");
  ASSERT_TRUE(test::MakeDirs(elsewhere));
  ASSERT_TRUE(test::CopyProgram(test::DemoBrowserPath(), elsewhere + L"\\VIREO.EXE"));

  a_ = test::StartBrowser(main_, L"--no-window --spawn-child=" + test::Quote(helper) +
                                     L" \"--child-args=--no-window --exit-after=60000 --ready-event=" + child_ready +
                                     L"\"");
  b_ = test::StartBrowser(elsewhere + L"\\VIREO.EXE", L"--no-window");
  ASSERT_TRUE(a_.valid() && b_.valid());
  ASSERT_EQ(::WaitForSingleObject(child_event.get(), 20000), WAIT_OBJECT_0);
  ScopedHandle child = OpenByName(L"vireo_helper.exe");
  ASSERT_TRUE(child);

  EXPECT_LT(Timed([] { CInstall::KillProcesses(); }), 2500u);
  EXPECT_EQ(test::WaitExitCode(a_, 5000), 0u);
  EXPECT_EQ(test::WaitExitCode(b_, 5000), 0u);
  EXPECT_EQ(::WaitForSingleObject(child.get(), 5000), WAIT_OBJECT_0);
}

// The caller of KillProcessTrees survives even when it is named vireo.exe and is the child
// of a vireo.exe that is ended.
TEST_F(KillProcessesTest, TreeKillSparesTheCallingProcess) {
  const std::wstring runner_dir = dir_.Join(L"runner");
  ASSERT_TRUE(test::MakeDirs(runner_dir));
  const std::wstring runner = runner_dir + L"\\vireo.exe";
  ASSERT_TRUE(test::CopyProgram(test::BuildPath("test_helpers/kill_tree_runner.exe"), runner));
  const std::wstring done_name = test::UniqueName(L"vireo_runner_done");
  ScopedHandle done(::CreateEventW(nullptr, TRUE, FALSE, done_name.c_str()));
  ASSERT_TRUE(done);

  a_ = test::StartBrowser(main_, L"--no-window --spawn-child=" + test::Quote(runner) + L" --child-args=" + done_name);
  ASSERT_TRUE(a_.valid());
  EXPECT_EQ(::WaitForSingleObject(done.get(), 20000), WAIT_OBJECT_0);
  EXPECT_EQ(test::WaitExitCode(a_, 5000), 0u);
}

// A process id that names no process is not running; this process is.
TEST(IsProcessRunningTest, TellsRunningFromGone) {
  EXPECT_TRUE(IsProcessRunning(::GetCurrentProcessId()));
  test::Child gone = test::StartChild(test::Quote(test::DemoBrowserPath()) + L" --no-window --exit-after=1");
  ASSERT_TRUE(gone.valid());
  ASSERT_NE(test::WaitExitCode(gone, 10000), static_cast<DWORD>(STILL_ACTIVE));
  const DWORD pid = gone.pid;
  gone.process.reset();  // the id is free once no handle keeps the process object
  EXPECT_FALSE(IsProcessRunning(pid));
}

}  // namespace
}  // namespace vireo
