#include "installer/steps/dir_work_item.h"

#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "installer/steps/json_version.h"
#include "installer/steps/reg_work_item.h"
#include "support/install_log.h"
#include "support/scoped_handle.h"
#include "support/string_util.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/progress_recorder.h"
#include "tests/test_support/registry_sandbox.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

using test::MakeDirs;
using test::PathExists;
using test::ReadFileBytes;
using test::WriteFileBytes;

void MakeModule(const std::wstring& folder, const std::string& version) {
  ASSERT_TRUE(MakeDirs(folder + L"\\_platform_specific\\win_x64"));
  ASSERT_TRUE(WriteFileBytes(folder + L"\\manifest.json", "{\"version\":\"" + version + "\"}"));
  ASSERT_TRUE(WriteFileBytes(folder + L"\\_platform_specific\\win_x64\\widevinecdm.dll", "MZ"));
}

// A per-user layout in a temporary folder: <root>\Vireo\Application and <root>\Vireo\User Data,
// with the registry sandboxed so the App Paths guard sees only what a test registers.
class DirWorkItemStep : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hkcu_.ok());
    root_ = temp_.Join(L"Vireo");
    app_ = root_ + L"\\Application";
    user_data_ = root_ + L"\\User Data";
    ASSERT_TRUE(MakeDirs(app_));
    ASSERT_TRUE(WriteFileBytes(app_ + L"\\vireo.exe", "MZ"));
    CInstallOptions& o = CInstallOptions::Get();
    o.ResetForTesting();
    ASSERT_TRUE(o.default_root.Assign(root_ + L"\\"));
    ASSERT_TRUE(o.install_dir.Assign(root_ + L"\\"));
    ASSERT_TRUE(o.app_dir.Assign(app_ + L"\\"));
    ASSERT_TRUE(o.extract_dir.Assign(app_ + L"\\"));
    ASSERT_TRUE(o.user_data_dir.Assign(user_data_ + L"\\"));
  }
  void TearDown() override {
    CInstallOptions::Get().ResetForTesting();
  }
  std::wstring Tool() const { return app_ + L"\\components\\Screenshot\\Screenshot.exe"; }
  std::wstring ToolRecord() const { return app_ + L"\\components\\Screenshot\\installed.json"; }

  test::ScopedHkcuOverride hkcu_;
  test::ScopedTempDir temp_;
  std::wstring root_, app_, user_data_;
  test::ScopedProgressRecorder progress_;
};

// The screenshot tool found only inside version folder 1.2.3.4 is deployed with its record
// (its text is the record writer's test); a second run leaves tool and record untouched.
TEST_F(DirWorkItemStep, DeploysScreenshotToolFromVersionFolder) {
  ASSERT_TRUE(MakeDirs(app_ + L"\\1.2.3.4"));
  ASSERT_TRUE(WriteFileBytes(app_ + L"\\1.2.3.4\\Screenshot.exe", "tool-v1"));
  CDirWorkItem item;
  ASSERT_TRUE(item.DoImpl());
  EXPECT_EQ(ReadFileBytes(Tool()), "tool-v1");
  EXPECT_TRUE(PathExists(ToolRecord()));
  const std::vector<std::pair<SETUP_PROGRESS, float>> expected = {{PROGRESS_DIR, 0.f}, {PROGRESS_DIR, 100.f}};
  EXPECT_EQ(progress_.reports(), expected);

  ASSERT_TRUE(WriteFileBytes(app_ + L"\\1.2.3.4\\Screenshot.exe", "tool-v2"));
  ASSERT_TRUE(WriteFileBytes(ToolRecord(), "kept"));
  CDirWorkItem again;
  ASSERT_TRUE(again.DoImpl());
  EXPECT_EQ(ReadFileBytes(Tool()), "tool-v1");
  EXPECT_EQ(ReadFileBytes(ToolRecord()), "kept");
}

// The tool beside vireo.exe wins; folders that are not version folders are never searched.
TEST_F(DirWorkItemStep, ScreenshotSources) {
  for (const wchar_t* d : {L"1.2.3", L"1.2.3.4-beta"}) {
    ASSERT_TRUE(MakeDirs(app_ + L"\\" + d));
    ASSERT_TRUE(WriteFileBytes(app_ + L"\\" + d + L"\\Screenshot.exe", "wrong"));
    MakeModule(app_ + L"\\" + d + L"\\WidevineCdm", "1.0.2.7");
  }
  CDirWorkItem item;
  ASSERT_TRUE(item.DoImpl());
  EXPECT_FALSE(PathExists(Tool()));
  EXPECT_FALSE(PathExists(user_data_ + L"\\WidevineCdm"));

  ASSERT_TRUE(WriteFileBytes(app_ + L"\\Screenshot.exe", "beside"));
  CDirWorkItem second;
  ASSERT_TRUE(second.DoImpl());
  EXPECT_EQ(ReadFileBytes(Tool()), "beside");
}

// The module of a version folder goes to User Data\WidevineCdm\<manifest version> with a
// record naming it (when a record is kept or replaced is the record writer's test).
TEST_F(DirWorkItemStep, DeploysWidevineCdm) {
  MakeModule(app_ + L"\\1.2.3.4\\WidevineCdm", "1.0.2.7");
  CDirWorkItem item;
  ASSERT_TRUE(item.DoImpl());
  const std::wstring target = user_data_ + L"\\WidevineCdm\\1.0.2.7";
  EXPECT_TRUE(PathExists(target + L"\\manifest.json"));
  EXPECT_TRUE(PathExists(target + L"\\_platform_specific\\win_x64\\widevinecdm.dll"));
  wchar_t recorded[kJsonVersionChars] = {};
  EXPECT_TRUE(ReadJsonVersion((user_data_ + L"\\WidevineCdm\\installed.json").c_str(), recorded));
  EXPECT_STREQ(recorded, L"1.0.2.7");
}

// While the record names a usable module, the package's module is not deployed at all.
TEST_F(DirWorkItemStep, RecordedUsableModuleIsNotRedeployed) {
  MakeModule(user_data_ + L"\\WidevineCdm\\4.10.0.0", "4.10.0.0");
  ASSERT_TRUE(WriteFileBytes(user_data_ + L"\\WidevineCdm\\installed.json", R"({"version":"4.10.0.0"})"));
  MakeModule(app_ + L"\\1.2.3.4\\WidevineCdm", "1.0.2.7");
  CDirWorkItem item;
  ASSERT_TRUE(item.DoImpl());
  EXPECT_FALSE(PathExists(user_data_ + L"\\WidevineCdm\\1.0.2.7"));
}

// Without vireo.exe (and nothing staged) the step fails with its message and log line and
// sends no final progress; a staged new_vireo.exe passes without touching vireo.exe.
TEST_F(DirWorkItemStep, MainExecutableRules) {
  ASSERT_TRUE(::DeleteFileW((app_ + L"\\vireo.exe").c_str()));
  CDirWorkItem item;
  EXPECT_FALSE(item.DoImpl());
  EXPECT_EQ(item.error_text(), kDeployMainExeMessage);
  const std::vector<std::pair<SETUP_PROGRESS, float>> expected = {{PROGRESS_DIR, 0.f}};
  EXPECT_EQ(progress_.reports(), expected);
  const wchar_t* log = CInstallLog::Get().GetLogPath();
  ASSERT_NE(log, nullptr);
  const std::string line = WideToUtf8(L"[dir] DeployMainProcessExe failed, src=" + app_ + L"\\vireo.exe app=" + app_ +
                                      L"\\ gle=");
  EXPECT_NE(ReadFileBytes(log).find(line), std::string::npos);

  ASSERT_TRUE(WriteFileBytes(app_ + L"\\new_vireo.exe", "MZ"));
  CDirWorkItem staged;
  EXPECT_TRUE(staged.DoImpl());
  EXPECT_FALSE(PathExists(app_ + L"\\vireo.exe"));
}

// A vireo.exe that cannot be opened for writing (a running browser) fails the step.
TEST_F(DirWorkItemStep, MainExecutableInUse) {
  const ScopedFile held(::CreateFileW((app_ + L"\\vireo.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held);
  CDirWorkItem item;
  EXPECT_FALSE(item.DoImpl());
  EXPECT_EQ(item.error_text(), kDeployMainExeMessage);
}

// Uninstall removes the application folder, the user data and the emptied product folder.
TEST_F(DirWorkItemStep, UninstallRemovesEverything) {
  ASSERT_TRUE(MakeDirs(user_data_ + L"\\Default"));
  ASSERT_TRUE(WriteFileBytes(user_data_ + L"\\Default\\Preferences", "{}"));
  CInstallOptions::Get().uninstall = true;
  CDirWorkItem item;
  EXPECT_TRUE(item.DoImpl()) << item.error_text().size();
  EXPECT_FALSE(PathExists(app_));
  EXPECT_FALSE(PathExists(user_data_));
  EXPECT_FALSE(PathExists(root_));
  const std::vector<std::pair<SETUP_PROGRESS, float>> expected = {{PROGRESS_UNINSTALL_DIR, 0.f},
                                                                   {PROGRESS_UNINSTALL_DIR, 100.f}};
  EXPECT_EQ(progress_.reports(), expected);
}

// An App Paths registration naming another place keeps the application folder and fails,
// while the user data is still removed.
TEST_F(DirWorkItemStep, UninstallRefusesForeignRegistration) {
  ASSERT_TRUE(MakeDirs(temp_.Join(L"Elsewhere")));
  ASSERT_TRUE(test::SetHkcuString(kAppPathsRegKey, L"Path", temp_.Join(L"Elsewhere")));
  ASSERT_TRUE(MakeDirs(user_data_ + L"\\Default"));
  ASSERT_TRUE(WriteFileBytes(user_data_ + L"\\Default\\Preferences", "{}"));
  CInstallOptions::Get().uninstall = true;
  CDirWorkItem item;
  EXPECT_FALSE(item.DoImpl());
  EXPECT_EQ(item.error_text(), kDeleteAppDirMessage);
  EXPECT_TRUE(PathExists(app_ + L"\\vireo.exe"));
  EXPECT_FALSE(PathExists(user_data_));
  const std::vector<std::pair<SETUP_PROGRESS, float>> expected = {{PROGRESS_UNINSTALL_DIR, 0.f},
                                                                   {PROGRESS_UNINSTALL_DIR, 100.f}};
  EXPECT_EQ(progress_.reports(), expected);
}

// A portable folder goes on its marker whatever the registration names, and nothing outside
// it is touched: not the product folder, not the per-user data.
TEST_F(DirWorkItemStep, UninstallOfAPortableFolderRemovesThatFolderOnly) {
  const std::wstring portable = temp_.Join(L"Stick\\Vireo");
  ASSERT_TRUE(MakeDirs(portable + L"\\User Data\\Default"));
  ASSERT_TRUE(WriteFileBytes(portable + L"\\vireo.exe", "MZ"));
  ASSERT_TRUE(WriteFileBytes(portable + L"\\.portable", ""));
  ASSERT_TRUE(MakeDirs(user_data_ + L"\\Default"));
  ASSERT_TRUE(test::SetHkcuString(kAppPathsRegKey, L"Path", app_));
  CInstallOptions& o = CInstallOptions::Get();
  o.uninstall = true;
  o.portable = true;
  o.SetPortableDir(portable);
  CDirWorkItem item;
  EXPECT_TRUE(item.DoImpl());
  EXPECT_FALSE(PathExists(portable));
  EXPECT_TRUE(PathExists(temp_.Join(L"Stick")));
  EXPECT_TRUE(PathExists(app_ + L"\\vireo.exe"));
  EXPECT_TRUE(PathExists(user_data_ + L"\\Default"));
}

// Roll-back removes the tool, module, records and folders the run deployed where none
// existed (User Data included), and leaves executables it did not create alone: a staged
// update and a saved-aside executable of an earlier run stay.
TEST_F(DirWorkItemStep, RollbackRemovesOnlyWhatTheRunCreated) {
  ASSERT_TRUE(WriteFileBytes(app_ + L"\\new_vireo.exe", "staged earlier"));
  ASSERT_TRUE(WriteFileBytes(app_ + L"\\old_vireo.exe", "saved aside earlier"));
  ASSERT_TRUE(MakeDirs(app_ + L"\\1.2.3.4"));
  ASSERT_TRUE(WriteFileBytes(app_ + L"\\1.2.3.4\\Screenshot.exe", "tool"));
  MakeModule(app_ + L"\\1.2.3.4\\WidevineCdm", "1.0.2.7");
  CDirWorkItem item;
  ASSERT_TRUE(item.DoImpl());
  ASSERT_TRUE(PathExists(Tool()));
  ASSERT_TRUE(PathExists(user_data_ + L"\\WidevineCdm\\1.0.2.7"));

  item.RollbackImpl();
  EXPECT_FALSE(PathExists(app_ + L"\\components"));
  EXPECT_FALSE(PathExists(user_data_));
  EXPECT_EQ(ReadFileBytes(app_ + L"\\new_vireo.exe"), "staged earlier");
  EXPECT_EQ(ReadFileBytes(app_ + L"\\old_vireo.exe"), "saved aside earlier");
  EXPECT_TRUE(PathExists(app_ + L"\\1.2.3.4\\WidevineCdm\\manifest.json"));
}

// A module record the run rewrote (it named a module that is not there) gets its bytes
// back; the earlier module folder and the user's other data stay.
TEST_F(DirWorkItemStep, RollbackPutsBackTheReplacedRecord) {
  const std::string record = R"({"version":"9.9.9.9", "note":"kept"})";
  MakeModule(user_data_ + L"\\WidevineCdm\\4.0.0.0", "4.0.0.0");
  ASSERT_TRUE(WriteFileBytes(user_data_ + L"\\WidevineCdm\\installed.json", record));
  ASSERT_TRUE(WriteFileBytes(user_data_ + L"\\Local State", "{}"));
  MakeModule(app_ + L"\\1.2.3.4\\WidevineCdm", "1.0.2.7");
  CDirWorkItem item;
  ASSERT_TRUE(item.DoImpl());
  ASSERT_NE(ReadFileBytes(user_data_ + L"\\WidevineCdm\\installed.json"), record);

  item.RollbackImpl();
  EXPECT_EQ(ReadFileBytes(user_data_ + L"\\WidevineCdm\\installed.json"), record);
  EXPECT_FALSE(PathExists(user_data_ + L"\\WidevineCdm\\1.0.2.7"));
  EXPECT_TRUE(PathExists(user_data_ + L"\\WidevineCdm\\4.0.0.0\\manifest.json"));
  EXPECT_EQ(ReadFileBytes(user_data_ + L"\\Local State"), "{}");
}

}  // namespace
}  // namespace vireo
