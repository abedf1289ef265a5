#include "installer/steps/shortcut_work_item.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "installer/steps/create_shortcut.h"
#include "support/install_log.h"
#include "support/scoped_handle.h"
#include "support/string_util.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/progress_recorder.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/shell_link_reader.h"

namespace vireo {
namespace {

std::wstring ShellFolder(int csidl) {
  wchar_t buf[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, buf))) return {};
  return buf;
}

std::string LogText() {
  const wchar_t* path = CInstallLog::Get().GetLogPath();
  return path ? test::ReadFileBytes(path) : std::string();
}

// The step writes into the prefix's real Start-menu and desktop folders, so the tests that
// run it take turns (ctest runs test processes in parallel) and remove what they made.
class ShortcutWorkItemStep : public testing::Test {
 protected:
  void SetUp() override {
    lock_ = ::CreateMutexW(nullptr, FALSE, L"Local\\VireoShortcutStepTests");
    ASSERT_NE(lock_, nullptr);
    const DWORD w = ::WaitForSingleObject(lock_, 120000);
    ASSERT_TRUE(w == WAIT_OBJECT_0 || w == WAIT_ABANDONED);
    locked_ = true;

    programs_ = ShellFolder(CSIDL_PROGRAMS);
    desktop_ = ShellFolder(CSIDL_DESKTOPDIRECTORY);
    ASSERT_FALSE(programs_.empty());
    ASSERT_FALSE(desktop_.empty());
    start_link_ = programs_ + L"\\Vireo.lnk";
    desktop_link_ = desktop_ + L"\\Vireo.lnk";
    ASSERT_FALSE(test::PathExists(start_link_)) << "a Vireo.lnk is already in the Start menu";
    ASSERT_FALSE(test::PathExists(desktop_link_)) << "a Vireo.lnk is already on the desktop";

    app_ = temp_.Join(L"Vireo\\Application");
    exe_ = app_ + L"\\vireo.exe";
    ASSERT_TRUE(test::MakeDirs(app_));
    ASSERT_TRUE(test::WriteFileBytes(exe_, "MZ"));
    CInstallOptions& o = CInstallOptions::Get();
    o.ResetForTesting();
    o.SetPortableDir(app_);
    o.shortcut_comment = L"访问互联网";
  }
  void TearDown() override {
    SetShortcutWorkerForTesting(nullptr);
    if (!start_link_.empty()) ::DeleteFileW(start_link_.c_str());
    if (!desktop_link_.empty()) ::DeleteFileW(desktop_link_.c_str());
    if (!extra_dir_.empty()) {
      ::DeleteFileW((extra_dir_ + L"\\Vireo.lnk").c_str());
      ::RemoveDirectoryW(extra_dir_.c_str());
    }
    CInstallOptions::Get().ResetForTesting();
    if (locked_) ::ReleaseMutex(lock_);
    if (lock_) ::CloseHandle(lock_);
  }

  HANDLE lock_ = nullptr;
  bool locked_ = false;
  test::ScopedTempDir temp_;
  std::wstring programs_, desktop_, start_link_, desktop_link_, app_, exe_, extra_dir_;
  test::ScopedProgressRecorder progress_;
};

// An install saves both links with their fields and reports 0, 25, 50 and 100.
TEST_F(ShortcutWorkItemStep, InstallCreatesBothLinks) {
  CShortcutWorkItem item;
  ASSERT_TRUE(item.DoImpl()) << item.error_text().size();
  EXPECT_EQ(std::wstring(item.GetStartMenuShortcutPath()), start_link_);
  EXPECT_EQ(std::wstring(item.GetDesktopShortcutPath()), desktop_link_);

  const test::ShellLinkInfo start = test::ReadShellLink(start_link_);
  ASSERT_TRUE(start.loaded);
  EXPECT_EQ(start.target, exe_);
  EXPECT_EQ(start.description, kProductName);
  EXPECT_EQ(start.icon_path, exe_);
  EXPECT_EQ(start.icon_index, 0);
  EXPECT_EQ(start.show_command, SW_SHOWNORMAL);
  EXPECT_EQ(start.arguments, L"");

  const test::ShellLinkInfo desk = test::ReadShellLink(desktop_link_);
  ASSERT_TRUE(desk.loaded);
  EXPECT_EQ(desk.target, exe_);
  EXPECT_EQ(desk.description, L"访问互联网");
  EXPECT_EQ(desk.icon_path, exe_);
  EXPECT_EQ(desk.show_command, SW_SHOWNORMAL);

  const std::vector<std::pair<SETUP_PROGRESS, float>> expected = {
      {PROGRESS_SHORTCUT, 0.f}, {PROGRESS_SHORTCUT, 25.f}, {PROGRESS_SHORTCUT, 50.f}, {PROGRESS_SHORTCUT, 100.f}};
  EXPECT_EQ(progress_.reports(), expected);

  // Roll-back deletes both links (unpinning fails quietly where the pin list is missing).
  item.RollbackImpl();
  EXPECT_FALSE(test::PathExists(start_link_));
  EXPECT_FALSE(test::PathExists(desktop_link_));
}

// An existing desktop link is replaced by the new one.
TEST_F(ShortcutWorkItemStep, ReplacesExistingDesktopLink) {
  ASSERT_TRUE(test::WriteFileBytes(desktop_link_, "old link"));
  CShortcutWorkItem item;
  ASSERT_TRUE(item.DoImpl());
  EXPECT_EQ(test::ReadShellLink(desktop_link_).target, exe_);
}

// A configured product name puts the Start-menu link into a folder of that name.
TEST_F(ShortcutWorkItemStep, ProductNameFolder) {
  CInstallOptions::Get().product_cn = L"Vireo 浏览器";
  extra_dir_ = programs_ + L"\\Vireo 浏览器";
  CShortcutWorkItem item;
  ASSERT_TRUE(item.DoImpl());
  EXPECT_EQ(std::wstring(item.GetStartMenuShortcutPath()), extra_dir_ + L"\\Vireo.lnk");
  EXPECT_TRUE(test::PathExists(extra_dir_ + L"\\Vireo.lnk"));
  EXPECT_FALSE(test::PathExists(start_link_));
}

// Uninstall removes both links, and succeeds when neither exists.
TEST_F(ShortcutWorkItemStep, UninstallRemovesLinksAndToleratesNone) {
  {
    CShortcutWorkItem install;
    ASSERT_TRUE(install.DoImpl());
  }
  progress_.clear();
  CInstallOptions::Get().uninstall = true;
  CShortcutWorkItem item;
  EXPECT_TRUE(item.DoImpl());
  EXPECT_FALSE(test::PathExists(start_link_));
  EXPECT_FALSE(test::PathExists(desktop_link_));
  const std::vector<std::pair<SETUP_PROGRESS, float>> expected = {{PROGRESS_UNINSTALL_SHORTCUT, 0.f},
                                                                   {PROGRESS_UNINSTALL_SHORTCUT, 100.f}};
  EXPECT_EQ(progress_.reports(), expected);

  CShortcutWorkItem again;
  EXPECT_TRUE(again.DoImpl());
  again.RollbackImpl();
}

// A link that cannot be removed (held open by another program) fails the uninstall with its
// message and a log line naming it, after the other link has been removed all the same.
TEST_F(ShortcutWorkItemStep, UninstallFailsWhileALinkStays) {
  {
    CShortcutWorkItem install;
    ASSERT_TRUE(install.DoImpl());
  }
  CInstallOptions::Get().uninstall = true;
  CShortcutWorkItem item;
  {
    const ScopedFile held(
        ::CreateFileW(start_link_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_FALSE(item.DoImpl());
  }
  EXPECT_EQ(item.error_text(), kShortcutRemoveMessage);
  EXPECT_NE(LogText().find(WideToUtf8(start_link_)), std::string::npos);
  EXPECT_FALSE(test::PathExists(desktop_link_));
}

std::atomic<int> g_calls{0};

DWORD FailingWorker(ShortcutRequest* r) {
  ++g_calls;
  r->result_code = static_cast<HRESULT>(0x80070005);
  return 1;
}

// A failing Start-menu save stops the step with the HRESULT message and log line; the
// desktop link is not attempted.
TEST_F(ShortcutWorkItemStep, FailedSaveStopsTheStep) {
  SetShortcutWorkerForTesting(&FailingWorker);
  CShortcutWorkItem item;
  EXPECT_FALSE(item.DoImpl());
  EXPECT_EQ(item.error_text(), kStartMenuShortcutLabel + FormatMessageText(kShortcutFailedFormat, 0x80070005));
  EXPECT_EQ(g_calls.load(), 1);
  const std::wstring line = std::wstring(L"[shortcut] failed hr=0x80070005: ") + kStartMenuShortcutLabel;
  EXPECT_NE(LogText().find(WideToUtf8(line)), std::string::npos);
  const std::vector<std::pair<SETUP_PROGRESS, float>> expected = {{PROGRESS_SHORTCUT, 0.f}, {PROGRESS_SHORTCUT, 25.f}};
  EXPECT_EQ(progress_.reports(), expected);
}

DWORD DesktopFailsWorker(ShortcutRequest* r) {
  if (r->pin) return ShortcutWorker(r);
  r->result_code = 0;  // what an empty folder gives
  return 1;
}

// A desktop failure is reported with the desktop label; the Start-menu link exists and the
// roll-back removes it.
TEST_F(ShortcutWorkItemStep, DesktopFailureMessage) {
  SetShortcutWorkerForTesting(&DesktopFailsWorker);
  CShortcutWorkItem item;
  EXPECT_FALSE(item.DoImpl());
  EXPECT_EQ(item.error_text(), kDesktopShortcutLabel + FormatMessageText(kShortcutFailedFormat, 0));
  EXPECT_TRUE(test::PathExists(start_link_));
  item.RollbackImpl();
  EXPECT_FALSE(test::PathExists(start_link_));
}

HANDLE g_release = nullptr;
HANDLE g_finished = nullptr;
DWORD HangingWorker(ShortcutRequest* r) {
  ::WaitForSingleObject(g_release, 120000);
  const DWORD result = ShortcutWorker(r);  // the save that was hanging finishes late
  ::SetEvent(g_finished);
  return result;
}

// A save that hangs fails the step after 30 s with the time-out message and log line; the
// worker is abandoned, not killed, and when it finishes late it leaves no link at all (the
// roll-back may have put the earlier one back by then).
TEST_F(ShortcutWorkItemStep, HangingSaveTimesOut) {
  g_release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  g_finished = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(g_release, nullptr);
  ASSERT_NE(g_finished, nullptr);
  SetShortcutWorkerForTesting(&HangingWorker);
  ShortcutRequest request;
  request.folder = temp_.Join(L"links");
  ASSERT_TRUE(test::MakeDirs(request.folder));
  std::wstring error;
  const ULONGLONG start = ::GetTickCount64();
  EXPECT_FALSE(CreateShortcut(request, kStartMenuShortcutLabel, &error));
  const ULONGLONG elapsed = ::GetTickCount64() - start;
  EXPECT_GE(elapsed, 29500u);
  EXPECT_LE(elapsed, 40000u);
  EXPECT_EQ(error, std::wstring(kStartMenuShortcutLabel) + kShortcutTimeoutSuffix);
  const std::wstring line = std::wstring(L"[shortcut] timeout (30000 ms): ") + kStartMenuShortcutLabel;
  EXPECT_NE(LogText().find(WideToUtf8(line)), std::string::npos);
  ::SetEvent(g_release);
  ASSERT_EQ(::WaitForSingleObject(g_finished, 30000), WAIT_OBJECT_0);
  EXPECT_EQ(test::ListFolder(request.folder), std::vector<std::wstring>{});
}

}  // namespace
}  // namespace vireo
