#include "installer/install_dir_guard.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include "installer/product_constants.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/registry_sandbox.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

// A temporary installation root\Application holding vireo.exe, a version folder inside,
// and a private HKEY_CURRENT_USER for the App Paths registration.
class InstallDirGuardTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hkcu_.ok()) << "RegOverridePredefKey is needed to keep the registry private";
    root_ = dir_.Join(L"Vireo");
    app_ = root_ + L"\\Application";
    version_ = app_ + L"\\2.0.0.0";
    ASSERT_TRUE(test::MakeDirs(version_));
    ASSERT_TRUE(test::WriteFileBytes(app_ + L"\\vireo.exe", "MZ"));
  }

  void Register(const std::wstring& exe, const std::wstring& folder) {
    if (!exe.empty()) {
      ASSERT_TRUE(test::SetHkcuString(kAppPathsRegKey, nullptr, exe));
    }
    if (!folder.empty()) {
      ASSERT_TRUE(test::SetHkcuString(kAppPathsRegKey, L"Path", folder));
    }
  }

  // Copies the executable into |folder| so the folder counts as an installation.
  void MakeInstallDir(const std::wstring& folder) {
    ASSERT_TRUE(test::MakeDirs(folder));
    ASSERT_TRUE(test::WriteFileBytes(folder + L"\\vireo.exe", "MZ"));
  }

  test::ScopedHkcuOverride hkcu_;
  test::ScopedTempDir dir_;
  std::wstring root_, app_, version_;
};

// The registrations written here stay out of the real per-user hive.
TEST_F(InstallDirGuardTest, RegistryOverrideIsPrivate) {
  Register(L"", L"C:\\private");
  ASSERT_EQ(::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr), ERROR_SUCCESS);
  wchar_t buf[MAX_PATH] = {};
  DWORD bytes = sizeof(buf);
  const LSTATUS real_status = ::SHGetValueW(HKEY_CURRENT_USER, kAppPathsRegKey, L"Path", nullptr, buf, &bytes);
  EXPECT_TRUE(real_status != ERROR_SUCCESS || std::wstring(buf) != L"C:\\private");
}

// Without any registration the executable alone decides; the flag off skips the registry.
TEST_F(InstallDirGuardTest, NoRegistrationAcceptsAnInstallationFolder) {
  EXPECT_TRUE(IsRegisteredInstallDir(app_.c_str(), true));
  EXPECT_TRUE(IsRegisteredInstallDir((app_ + L"\\").c_str(), true));
  EXPECT_FALSE(IsRegisteredInstallDir(root_.c_str(), true));  // holds no executable
  Register(L"", L"C:\\elsewhere\\Application");
  EXPECT_TRUE(IsRegisteredInstallDir(app_.c_str(), false));
  EXPECT_FALSE(IsRegisteredInstallDir(app_.c_str(), true));
  EXPECT_FALSE(IsRegisteredInstallDir(L"C:\\", false));
  EXPECT_FALSE(IsRegisteredInstallDir(nullptr, false));
}

// The registered folder, its parent and a folder directly inside it are accepted (case and
// separators aside); the registered executable's folder is accepted through the default value.
TEST_F(InstallDirGuardTest, RegisteredFolderParentAndChildAreAccepted) {
  Register(L"", app_);
  EXPECT_TRUE(IsRegisteredInstallDir(app_.c_str(), true));
  std::wstring spelled = app_ + L"/";
  CharUpperW(spelled.data());
  EXPECT_TRUE(IsRegisteredInstallDir(spelled.c_str(), true));

  MakeInstallDir(version_);
  EXPECT_TRUE(IsRegisteredInstallDir(version_.c_str(), true));
  MakeInstallDir(root_);
  EXPECT_TRUE(IsRegisteredInstallDir(root_.c_str(), true));
  const std::wstring deeper = version_ + L"\\deeper";
  MakeInstallDir(deeper);
  EXPECT_FALSE(IsRegisteredInstallDir(deeper.c_str(), true));

  test::ScopedTempDir other;
  const std::wstring foreign = other.Join(L"Application");
  MakeInstallDir(foreign);
  EXPECT_FALSE(IsRegisteredInstallDir(foreign.c_str(), true));
  Register(foreign + L"\\vireo.exe", L"");
  EXPECT_TRUE(IsRegisteredInstallDir(foreign.c_str(), true));
}

// Deletion follows the guard: a registered folder goes, a foreign one or one without the
// executables stays, and a "..", which could climb out of the registered folder, is refused.
TEST_F(InstallDirGuardTest, DeleteInstallDirObeysTheGuard) {
  test::ScopedTempDir other;
  const std::wstring foreign = other.Join(L"Application");
  MakeInstallDir(foreign);
  Register(L"", app_);
  EXPECT_FALSE(DeleteInstallDir(foreign.c_str()));
  EXPECT_TRUE(test::PathExists(foreign + L"\\vireo.exe"));

  const std::wstring climbing = version_ + L"\\..";
  EXPECT_FALSE(DeleteInstallDir(climbing.c_str()));

  ASSERT_TRUE(::DeleteFileW((app_ + L"\\vireo.exe").c_str()));
  EXPECT_FALSE(DeleteInstallDir(app_.c_str()));
  EXPECT_TRUE(test::PathExists(app_));

  ASSERT_TRUE(test::WriteFileBytes(app_ + L"\\old_vireo.exe", "MZ"));
  EXPECT_TRUE(DeleteInstallDir(app_.c_str()));
  EXPECT_FALSE(test::PathExists(app_));
}

// Only targets strictly inside the installation folder are deleted; the folder itself,
// look-alike siblings and ".." escapes are refused.
TEST_F(InstallDirGuardTest, DeleteInsideInstallDir) {
  const std::wstring sibling = root_ + L"\\Application2";
  ASSERT_TRUE(test::MakeDirs(sibling));
  EXPECT_FALSE(DeleteInsideInstallDir(app_.c_str(), sibling.c_str()));
  EXPECT_FALSE(DeleteInsideInstallDir(app_.c_str(), app_.c_str()));
  EXPECT_FALSE(DeleteInsideInstallDir(app_.c_str(), (app_ + L"\\").c_str()));
  EXPECT_FALSE(DeleteInsideInstallDir(app_.c_str(), (version_ + L"\\..\\..\\Application2").c_str()));
  EXPECT_TRUE(test::PathExists(sibling));
  EXPECT_FALSE(DeleteInsideInstallDir(root_.c_str(), sibling.c_str()));  // root holds no executable
  EXPECT_FALSE(DeleteInsideInstallDir(app_.c_str(), L""));
  EXPECT_FALSE(DeleteInsideInstallDir(app_.c_str(), nullptr));

  EXPECT_TRUE(DeleteInsideInstallDir((app_ + L"\\").c_str(), (version_ + L"/").c_str()));
  EXPECT_FALSE(test::PathExists(version_));
  EXPECT_TRUE(test::PathExists(app_ + L"\\vireo.exe"));
}

// User data is deleted only from <product>\User Data; other names stay.
TEST_F(InstallDirGuardTest, UserDataAndNamedFolders) {
  const std::wstring data = root_ + L"\\User Data";
  const std::wstring other = dir_.Join(L"Other\\User Data");
  const std::wstring profile = root_ + L"\\Profile";
  for (const auto& f : {data, other, profile}) ASSERT_TRUE(test::MakeDirs(f + L"\\Default"));

  EXPECT_FALSE(DeleteUserDataDir(other.c_str(), L"Vireo"));
  EXPECT_FALSE(DeleteUserDataDir(profile.c_str(), nullptr));
  EXPECT_FALSE(IsUserDataDir(data.c_str(), L"Other"));
  EXPECT_TRUE(IsUserDataDir(other.c_str(), L"other"));
  EXPECT_FALSE(IsUserDataDir(dir_.Join(L"Vireo\\Missing\\User Data").c_str(), nullptr));
  EXPECT_TRUE(DeleteUserDataDir((data + L"\\").c_str(), L""));
  EXPECT_FALSE(test::PathExists(data));
  EXPECT_TRUE(test::PathExists(other));
  EXPECT_TRUE(test::PathExists(profile));

  EXPECT_TRUE(IsNamedFolder(root_.c_str(), nullptr));
  EXPECT_TRUE(IsNamedFolder((root_ + L"\\").c_str(), L"vireo"));
  EXPECT_FALSE(IsNamedFolder(app_.c_str(), L"Vireo"));
  EXPECT_FALSE(IsNamedFolder(L"C:\\", L"Vireo"));
  EXPECT_TRUE(IsNamedFolder(L"C:\\Vireo", nullptr));
}

}  // namespace
}  // namespace vireo
