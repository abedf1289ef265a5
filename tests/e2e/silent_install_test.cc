// The installer as a user runs it: exit status, files, registry, links and log.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "support/scoped_handle.h"
#include "tests/e2e/installer_process.h"
#include "tests/e2e/user_profile.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/registry_readback.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo::test {
namespace {

// Counts what an extraction could leave in the temp folder: "x7z*" module files, and "xsc*"
// package copies, which no run may make any more.
int TempLeftovers() {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  int count = 0;
  for (const wchar_t* pattern : {L"xsc*", L"x7z*"}) {
    WIN32_FIND_DATAW fd;
    const ScopedFindHandle find(::FindFirstFileW((std::wstring(temp) + pattern).c_str(), &fd));
    if (!find) continue;
    do ++count; while (::FindNextFileW(find.get(), &fd));
  }
  return count;
}

class SilentInstallTest : public testing::Test {
 protected:
  void SetUp() override {
    CleanUserProfile();
    paths_ = GetUserProfilePaths();
    leftovers_before_ = TempLeftovers();
  }
  void TearDown() override {
    CleanUserProfile();
    std::wstring remains;
    EXPECT_TRUE(ProfileIsClean(&remains)) << "left behind: " << testing::PrintToString(remains);
  }
  InstallerRun Run(const char* target, const std::wstring& args) {
    InstallerRun run = RunInstallerCopy(BuiltInstaller(target), runner_dir_.path(), args);
    EXPECT_NE(run.exit_code, -1) << "installer did not start";
    EXPECT_NE(run.exit_code, -2) << "installer did not finish in time";
    return run;
  }
  bool Has(const std::wstring& relative) const { return PathExists(paths_.app_dir + L"\\" + relative); }

  UserProfilePaths paths_;
  ScopedTempDir runner_dir_;
  int leftovers_before_ = 0;
};

// A silent install on a machine without Vireo unpacks and hoists the browser, deploys the
// optional components, writes links and registry, leaves no temp files and exits 0.
TEST_F(SilentInstallTest, FreshInstall) {
  const InstallerRun run = Run("vireo_setup", L"--silent");
  ASSERT_EQ(run.exit_code, 0) << testing::PrintToString(run.log);
  EXPECT_TRUE(Has(L"vireo.exe"));
  EXPECT_TRUE(Has(L"" VIREO_TEST_FILE_VERSION L"\\Installer\\uninstaller.exe"));
  EXPECT_FALSE(Has(L"Chrome-bin"));
  EXPECT_TRUE(Has(L"components\\Screenshot\\Screenshot.exe"));
  EXPECT_TRUE(Has(L"components\\Screenshot\\installed.json"));
  EXPECT_TRUE(PathExists(paths_.user_data + L"\\WidevineCdm\\4.10.2710.0\\manifest.json"));
  EXPECT_TRUE(PathExists(paths_.user_data + L"\\WidevineCdm\\installed.json"));
  EXPECT_TRUE(PathExists(paths_.start_menu_link));
  EXPECT_TRUE(PathExists(paths_.desktop_link));
  EXPECT_EQ(ReadRegString(kAppPathsRegKey, L""), paths_.app_dir + L"\\vireo.exe");
  EXPECT_EQ(ReadRegString(kAppPathsRegKey, L"Path"), paths_.app_dir);
  EXPECT_EQ(ReadRegString(kUninstallRegKey, L"DisplayVersion"), L"" VIREO_TEST_FILE_VERSION);
  EXPECT_EQ(run.log.find(L"failed"), std::wstring::npos) << testing::PrintToString(run.log);
  EXPECT_EQ(TempLeftovers(), leftovers_before_);
}

// A damaged payload fails with status 1, rolls back what it created and leaves no temp files.
TEST_F(SilentInstallTest, DamagedPayloadRollsBack) {
  const InstallerRun run = Run("setup_damaged", L"--silent");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.log.find(L"[unzip] "), std::wstring::npos) << testing::PrintToString(run.log);
  EXPECT_NE(run.log.find(L"[install] step failed: "), std::wstring::npos);
  EXPECT_FALSE(Has(L"vireo.exe"));
  EXPECT_FALSE(Has(L"Chrome-bin"));
  EXPECT_FALSE(PathExists(paths_.start_menu_link));
  EXPECT_FALSE(ReadRegValue(kAppPathsRegKey, L"").exists);
  EXPECT_EQ(TempLeftovers(), leftovers_before_);
}

// A portable run into a non-empty foreign folder is refused before any step runs.
TEST_F(SilentInstallTest, RefusedFolder) {
  ScopedTempDir foreign;
  ASSERT_TRUE(WriteFileBytes(foreign.Join(L"notes.txt"), "mine"));
  const InstallerRun run = Run("vireo_setup", L"--portable --installpath=\"" + foreign.path() + L"\" --silent");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.log.find(L"[install] path check failed: "), std::wstring::npos) << testing::PrintToString(run.log);
  EXPECT_FALSE(PathExists(foreign.Join(L"vireo.exe")));
  EXPECT_FALSE(PathExists(foreign.Join(L".portable")));
}

// A newer installer over an older installation removes the old version folders at exit and
// keeps the one the installed browser runs from; unrelated folders stay.
TEST_F(SilentInstallTest, UpdateRemovesOldVersionFoldersAtExit) {
  ASSERT_EQ(Run("vireo_setup", L"--silent").exit_code, 0);
  ASSERT_TRUE(MakeDirs(paths_.app_dir + L"\\0.9.0.0"));
  ASSERT_TRUE(MakeDirs(paths_.app_dir + L"\\1..0"));
  ASSERT_TRUE(MakeDirs(paths_.app_dir + L"\\.1.0"));
  const InstallerRun run = Run("setup_v2", L"--silent");
  ASSERT_EQ(run.exit_code, 0) << testing::PrintToString(run.log);
  EXPECT_TRUE(Has(L"2.0.0.1\\Installer\\uninstaller.exe"));
  EXPECT_FALSE(Has(L"" VIREO_TEST_FILE_VERSION));
  EXPECT_FALSE(Has(L"0.9.0.0"));
  EXPECT_TRUE(Has(L"1..0"));
  EXPECT_TRUE(Has(L".1.0"));
  EXPECT_TRUE(Has(L"locales") || Has(L"2.0.0.1\\locales"));
  EXPECT_EQ(ReadRegString(kUninstallRegKey, L"DisplayVersion"), L"2.0.0.1");
}

// Without an uninstaller in the payload the registry step fails late; status 1 and nothing
// the run created survives: no files, no links, no registry values.
TEST_F(SilentInstallTest, LateFailureLeavesNothing) {
  const InstallerRun run = Run("setup_no_uninstaller", L"--silent");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.log.find(std::wstring(L"[install] step failed: ") + kUninstallerMissingMessage),
            std::wstring::npos)
      << testing::PrintToString(run.log);
  EXPECT_FALSE(Has(L"vireo.exe"));
  EXPECT_FALSE(PathExists(paths_.start_menu_link));
  EXPECT_FALSE(PathExists(paths_.desktop_link));
  EXPECT_FALSE(ReadRegValue(kAppPathsRegKey, L"").exists);
  EXPECT_FALSE(ReadRegValue(kUninstallRegKey, L"DisplayName").exists);
  EXPECT_FALSE(ReadRegValue(kProductRegKey, L"usagestats").exists);
}

// Uninstall removes the application folder, user data, both links and every entry.
TEST_F(SilentInstallTest, UninstallRemovesEverything) {
  ASSERT_EQ(Run("vireo_setup", L"--silent").exit_code, 0);
  ASSERT_TRUE(PathExists(paths_.user_data));
  const InstallerRun run = Run("vireo_setup", L"--uninstall --silent");
  EXPECT_EQ(run.exit_code, 0) << testing::PrintToString(run.log);
  std::wstring remains;
  EXPECT_TRUE(ProfileIsClean(&remains)) << testing::PrintToString(remains);
}

// Running the same installer again updates the tree in place and succeeds.
TEST_F(SilentInstallTest, ReinstallSameVersion) {
  ASSERT_EQ(Run("vireo_setup", L"--silent").exit_code, 0);
  ASSERT_TRUE(::DeleteFileW((paths_.app_dir + L"\\" VIREO_TEST_FILE_VERSION L"\\resources.pak").c_str()));
  const InstallerRun run = Run("vireo_setup", L"--silent");
  EXPECT_EQ(run.exit_code, 0) << testing::PrintToString(run.log);
  EXPECT_TRUE(Has(L"" VIREO_TEST_FILE_VERSION L"\\resources.pak"));
}

// An older installer over a newer installation still installs its files in place.
TEST_F(SilentInstallTest, OlderOverNewer) {
  ASSERT_EQ(Run("setup_v2", L"--silent").exit_code, 0);
  const InstallerRun run = Run("vireo_setup", L"--silent");
  EXPECT_EQ(run.exit_code, 0) << testing::PrintToString(run.log);
  EXPECT_TRUE(Has(L"" VIREO_TEST_FILE_VERSION L"\\Installer\\uninstaller.exe"));
}

// A portable install writes no registry and no links, marks the folder, and a second run
// updates it.
TEST_F(SilentInstallTest, PortableInstallAndUpdate) {
  ScopedTempDir parent;
  const std::wstring dir = parent.Join(L"Some Folder\\Vireo");
  const std::wstring args = L"--portable --installpath=\"" + dir + L"\" --silent --pending_restart";
  InstallerRun run = Run("vireo_setup", args);
  ASSERT_EQ(run.exit_code, 0) << testing::PrintToString(run.log);
  EXPECT_TRUE(PathExists(dir + L"\\vireo.exe"));
  EXPECT_TRUE(PathExists(dir + L"\\.portable"));
  EXPECT_FALSE(ReadRegValue(kAppPathsRegKey, L"").exists);
  EXPECT_FALSE(PathExists(paths_.start_menu_link));
  EXPECT_FALSE(PathExists(paths_.desktop_link));
  run = Run("setup_v2", args);
  EXPECT_EQ(run.exit_code, 0) << testing::PrintToString(run.log);
  EXPECT_TRUE(PathExists(dir + L"\\2.0.0.1"));
}

}  // namespace
}  // namespace vireo::test
