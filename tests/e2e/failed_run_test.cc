// Runs that fail, run side by side or are ended half-way never harm what is already there.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "installer/run_checkpoint.h"
#include "support/scoped_handle.h"
#include "tests/e2e/installation_image.h"
#include "tests/e2e/installer_process.h"
#include "tests/e2e/user_profile.h"
#include "tests/test_support/demo_browser.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/process_runner.h"
#include "tests/test_support/registry_readback.h"
#include "tests/test_support/scoped_env.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo::test {
namespace {

constexpr DWORD kRunLimitMs = 120000;

class FailedRunTest : public testing::Test {
 protected:
  void SetUp() override {
    CleanUserProfile();
    paths_ = GetUserProfilePaths();
    ASSERT_TRUE(temp_env_.ok());
  }
  void TearDown() override { CleanUserProfile(); }

  InstallerRun Run(const char* target, const std::wstring& args = L"--silent") {
    const InstallerRun run = RunInstallerCopy(BuiltInstaller(target), runner_.path(), args, kRunLimitMs);
    EXPECT_GE(run.exit_code, 0) << "did not start or end in time";
    return run;
  }
  bool Has(const std::wstring& relative) const { return PathExists(paths_.app_dir + L"\\" + relative); }

  // A complete installation of the shipped version, and nothing a run keeps only while it
  // works: no unpacked top folder, no replaced files kept aside, nothing in the temporary
  // folder.
  void ExpectWholeInstallation() const {
    EXPECT_TRUE(Has(kMainExeName));
    EXPECT_TRUE(Has(L"" VIREO_TEST_FILE_VERSION L"\\Installer\\uninstaller.exe"));
    EXPECT_TRUE(Has(L"components\\Screenshot\\Screenshot.exe"));
    EXPECT_TRUE(PathExists(paths_.user_data + L"\\WidevineCdm\\installed.json"));
    EXPECT_TRUE(PathExists(paths_.start_menu_link));
    EXPECT_TRUE(PathExists(paths_.desktop_link));
    EXPECT_EQ(ReadRegString(kUninstallRegKey, L"DisplayVersion"), L"" VIREO_TEST_FILE_VERSION);
    EXPECT_FALSE(Has(kPayloadTopFolderName));
    EXPECT_FALSE(Has(kReplacedFilesFolderName));
    EXPECT_EQ(ListFolder(temp_.path()), std::vector<std::wstring>{});
  }

  // Starts a copy of |target| (a variant built with checkpoints) silently and returns once
  // it holds at |point|; the test then ends it there.
  Child StartHeldAt(const char* target, RunCheckpoint point) {
    const std::wstring copy = runner_.Join(L"held_setup.exe");
    if (!::CopyFileW(BuiltInstaller(target).c_str(), copy.c_str(), FALSE)) return Child();
    const std::wstring event_name = UniqueName(L"vireo_hold");
    const ScopedHandle reached(::CreateEventW(nullptr, TRUE, FALSE, event_name.c_str()));
    const ScopedEnvVar at(L"VIREO_TEST_HOLD_AT", std::to_wstring(static_cast<int>(point)).c_str());
    const ScopedEnvVar event(L"VIREO_TEST_HOLD_EVENT", event_name.c_str());
    Child held = StartChild(Quote(copy) + L" --silent");
    if (!held.valid()) return held;
    const HANDLE waits[] = {reached.get(), held.process.get()};
    if (::WaitForMultipleObjects(2, waits, FALSE, kRunLimitMs) != WAIT_OBJECT_0) {
      ADD_FAILURE() << "the run never reached point " << static_cast<int>(point);
    }
    return held;
  }

  UserProfilePaths paths_;
  ScopedTempDir runner_;
  // The runs' temporary folder is the test's own, so that every leftover is seen.
  ScopedTempDir temp_;
  ScopedTempFolderEnv temp_env_{temp_.path()};
};

// An update that fails in its registry step (its payload has no uninstaller) leaves the
// earlier installation byte for byte as it was, and its browser still starts.
TEST_F(FailedRunTest, FailedUpdateLeavesTheInstallationAsItWas) {
  ASSERT_EQ(Run("vireo_setup").exit_code, 0);
  const InstallationImage before = TakeInstallationImage();
  const InstallerRun run = Run("setup_v2_no_uninstaller");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.log.find(kUninstallerMissingMessage), std::wstring::npos) << testing::PrintToString(run.log);
  EXPECT_EQ(DifferencesBetween(before, TakeInstallationImage()), L"");
  ExpectWholeInstallation();
  Child browser = StartBrowser(paths_.app_dir + L"\\" + kMainExeName);
  EXPECT_TRUE(browser.valid());
  EndChild(browser);
}

// A desktop link that cannot be saved (held open by another program) fails the shortcut
// step of an update and of a reinstall of the same version; either leaves the earlier
// installation as it was, its Start-menu link included.
TEST_F(FailedRunTest, FailedShortcutStepLeavesTheInstallationAsItWas) {
  ASSERT_EQ(Run("vireo_setup").exit_code, 0);
  const InstallationImage before = TakeInstallationImage();
  for (const char* target : {"setup_v2", "vireo_setup"}) {
    {
      const ScopedFile held(::CreateFileW(paths_.desktop_link.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
      ASSERT_TRUE(held);
      const InstallerRun run = Run(target);
      EXPECT_EQ(run.exit_code, 1) << target;
      EXPECT_NE(run.log.find(std::wstring(L"[install] step failed: ") + kDesktopShortcutLabel), std::wstring::npos)
          << testing::PrintToString(run.log);
    }
    EXPECT_EQ(DifferencesBetween(before, TakeInstallationImage()), L"") << target;
  }
}

// A fresh install that fails late leaves nothing at all: no product folder (so no
// "components" or "User Data\WidevineCdm"), no links, no registry keys.
TEST_F(FailedRunTest, FailedFreshInstallLeavesNoTrace) {
  EXPECT_EQ(Run("setup_no_uninstaller").exit_code, 1);
  std::wstring remains;
  EXPECT_TRUE(ProfileIsClean(&remains)) << testing::PrintToString(remains);
  EXPECT_EQ(ListFolder(temp_.path()), std::vector<std::wstring>{});
}

// A "7z.dll" planted beside the installer and in the temporary folder (there held open by
// another program) is never loaded, written or deleted: the install succeeds with its own
// module and both files stay as they were.
TEST_F(FailedRunTest, PlantedArchiveModuleIsNeverUsed) {
  const std::string planted = ReadFileBytes(BuildPath("payload_stub_dll.dll"));
  ASSERT_FALSE(planted.empty());
  const std::wstring beside = runner_.Join(L"7z.dll");
  const std::wstring in_temp = temp_.Join(L"7z.dll");
  ASSERT_TRUE(WriteFileBytes(beside, planted));
  ASSERT_TRUE(WriteFileBytes(in_temp, planted));
  {
    const ScopedFile held(
        ::CreateFileW(in_temp.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    const InstallerRun run = Run("vireo_setup");
    EXPECT_EQ(run.exit_code, 0) << testing::PrintToString(run.log);
  }
  EXPECT_EQ(ReadFileBytes(beside), planted);
  EXPECT_EQ(ReadFileBytes(in_temp), planted);
  ASSERT_TRUE(::DeleteFileW(in_temp.c_str()));
  ExpectWholeInstallation();
}

// Two silent runs started together take turns: both succeed, three rounds in a row, and the
// installation is whole with nothing left in the temporary folder.
TEST_F(FailedRunTest, SilentRunsStartedTogetherTakeTurns) {
  // Each copy in a folder of its own, as two downloads would be, with a log of its own.
  ASSERT_TRUE(MakeDirs(runner_.Join(L"second")));
  const std::wstring copies[] = {runner_.Join(L"vireo_setup.exe"), runner_.Join(L"second\\vireo_setup.exe")};
  for (const std::wstring& copy : copies) {
    ASSERT_TRUE(::CopyFileW(BuiltInstaller("vireo_setup").c_str(), copy.c_str(), FALSE));
  }
  for (int round = 0; round < 3; ++round) {
    Child runs[] = {StartChild(Quote(copies[0]) + L" --silent"), StartChild(Quote(copies[1]) + L" --silent")};
    for (Child& run : runs) {
      ASSERT_TRUE(run.valid());
      EXPECT_EQ(WaitExitCode(run, kRunLimitMs), 0u) << "round " << round;
      EndChild(run);
    }
    ExpectWholeInstallation();
  }
}

// A run ended (TerminateProcess) while it unpacks, while it hoists, or while it writes the
// registry is followed by a run that succeeds, removes the ended run's temporary files and
// leaves a whole installation.
TEST_F(FailedRunTest, RunEndedAtAnyPointIsRepairedByTheNextRun) {
  for (RunCheckpoint point :
       {RunCheckpoint::kProgramExtracted, RunCheckpoint::kHoisting, RunCheckpoint::kRegistryWriting}) {
    const int index = static_cast<int>(point);
    {
      Child held = StartHeldAt("setup_hold", point);
      ASSERT_TRUE(held.valid());
      EndChild(held);
    }
    const InstallerRun rerun = Run("vireo_setup");
    EXPECT_EQ(rerun.exit_code, 0) << "point " << index << testing::PrintToString(rerun.log);
    ExpectWholeInstallation();
    CleanUserProfile();
  }
}

// An update ended half-way through its registry roll-back never costs the browser its own
// settings, which live in the product key beside the installer's values: the roll-back puts
// back single values and never removes the key. The next run succeeds.
TEST_F(FailedRunTest, RunEndedDuringTheRegistryRollbackKeepsTheBrowsersSettings) {
  ASSERT_EQ(Run("vireo_setup").exit_code, 0);
  const std::wstring setting = L"kept by the browser";
  ASSERT_EQ(::SHSetValueW(HKEY_CURRENT_USER, kProductRegKey, L"browser_setting", REG_SZ, setting.c_str(),
                          static_cast<DWORD>((setting.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  {
    Child held = StartHeldAt("setup_v2_hold_no_uninstaller", RunCheckpoint::kRegistryRestoring);
    ASSERT_TRUE(held.valid());
    EndChild(held);
  }
  EXPECT_EQ(ReadRegString(kProductRegKey, L"browser_setting"), setting);
  EXPECT_TRUE(ReadRegValue(kProductRegKey, L"usagestats").exists);
  const InstallerRun rerun = Run("vireo_setup");
  EXPECT_EQ(rerun.exit_code, 0) << testing::PrintToString(rerun.log);
  ExpectWholeInstallation();
}

}  // namespace
}  // namespace vireo::test
