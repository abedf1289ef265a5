#include "installer/steps/reg_work_item.h"

#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "support/file_version.h"
#include "support/fixed_path.h"
#include "support/module_instance.h"
#include "support/registry_snapshot.h"
#include "support/scoped_handle.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/progress_recorder.h"
#include "tests/test_support/registry_readback.h"
#include "tests/test_support/registry_sandbox.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo {
namespace {

using test::AsWide;
using test::ReadRegValue;
using test::RegKeyExists;
using test::RegValue;

// The bytes of a string value as the step stores it: the characters and their terminator.
std::string Utf16Bytes(const std::wstring& s) {
  return std::string(reinterpret_cast<const char*>(s.c_str()), (s.size() + 1) * sizeof(wchar_t));
}

// Stores exactly the characters of |text|. A guard character follows them in the buffer,
// because the registry adds a terminator to a REG_SZ whose count leaves it out when a null
// happens to follow the counted characters.
void SetRawString(const wchar_t* key, const wchar_t* name, const std::wstring& text) {
  const std::wstring data = text + L"#";
  ASSERT_EQ(::SHSetValueW(HKEY_CURRENT_USER, key, name, REG_SZ, data.c_str(),
                          static_cast<DWORD>(text.size() * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

class RegWorkItemTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hkcu_.ok()) << "RegOverridePredefKey is not available";
    // Every registry access below goes to the private key, never to the real hive.
    ASSERT_FALSE(RegKeyExists(kAppPathsRegKey));

    app_ = temp_.Join(L"Vireo\\Application");
    ASSERT_TRUE(test::MakeDirs(app_ + L"\\1.2.3.4\\Installer"));
    ASSERT_TRUE(::CopyFileW(test::BuildPath("fixtures/version_1_2_3_4.exe").c_str(), (app_ + L"\\vireo.exe").c_str(),
                            FALSE));
    ASSERT_TRUE(test::WriteFileBytes(app_ + L"\\1.2.3.4\\Installer\\uninstaller.exe", "MZ"));

    CInstallOptions& o = CInstallOptions::Get();
    o.ResetForTesting();
    o.SetPortableDir(app_);
    o.channel = L"SITE";
    o.company = L"Vireo Software";
    o.homepage = L"https://www.vireo-browser.com/";
  }
  void TearDown() override {
    CInstallOptions::Get().ResetForTesting();
  }

  test::ScopedHkcuOverride hkcu_;
  test::ScopedTempDir temp_;
  std::wstring app_;
  test::ScopedProgressRecorder progress_;
};

std::wstring Today() {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  wchar_t buf[16];
  swprintf(buf, 16, L"%04d%02d%02d", t.wYear, t.wMonth, t.wDay);
  return buf;
}

// A fresh install writes every value with its exact type and byte size, every string with
// its terminating null.
TEST_F(RegWorkItemTest, InstallWritesExactValuesAndSizes) {
  CRegWorkItem item;
  ASSERT_TRUE(item.DoImpl());
  EXPECT_TRUE(item.error_text().empty());

  const RegValue stats = ReadRegValue(kProductRegKey, L"usagestats");
  ASSERT_TRUE(stats.exists);
  EXPECT_EQ(stats.type, static_cast<DWORD>(REG_DWORD));
  ASSERT_EQ(stats.bytes.size(), 4u);
  EXPECT_EQ(*reinterpret_cast<const DWORD*>(stats.bytes.data()), 1u);

  const RegValue channel = ReadRegValue(kProductRegKey, L"ichannel");
  EXPECT_EQ(channel.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(channel.bytes, Utf16Bytes(L"SITE"));

  const std::wstring exe = app_ + L"\\vireo.exe";
  RegValue v = ReadRegValue(kAppPathsRegKey, L"");
  EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(v.bytes, Utf16Bytes(exe));
  v = ReadRegValue(kAppPathsRegKey, L"Path");
  EXPECT_EQ(v.bytes, Utf16Bytes(app_));

  v = ReadRegValue(kUninstallRegKey, L"DisplayName");
  EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(v.bytes.size(), 12u);
  EXPECT_EQ(test::ReadRegString(kUninstallRegKey, L"DisplayName"), kProductName);
  v = ReadRegValue(kUninstallRegKey, L"UninstallString");
  const std::wstring command = L"\"" + app_ + L"\\1.2.3.4\\Installer\\uninstaller.exe\" --uninstall";
  EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(v.bytes, Utf16Bytes(command));
  EXPECT_EQ(ReadRegValue(kUninstallRegKey, L"InstallLocation").bytes, Utf16Bytes(app_));
  EXPECT_EQ(ReadRegValue(kUninstallRegKey, L"DisplayIcon").bytes, Utf16Bytes(exe + L",0"));
  EXPECT_EQ(ReadRegValue(kUninstallRegKey, L"Publisher").bytes, Utf16Bytes(L"Vireo Software"));
  EXPECT_EQ(ReadRegValue(kUninstallRegKey, L"DisplayVersion").bytes, Utf16Bytes(L"1.2.3.4"));
  EXPECT_EQ(ReadRegValue(kUninstallRegKey, L"HelpLink").bytes, Utf16Bytes(L"https://www.vireo-browser.com/"));
  v = ReadRegValue(kUninstallRegKey, L"InstallDate");
  EXPECT_EQ(v.bytes.size(), 18u);
  EXPECT_EQ(test::ReadRegString(kUninstallRegKey, L"InstallDate"), Today());

  const std::vector<std::pair<SETUP_PROGRESS, float>> expected = {{PROGRESS_REG, 0.f}, {PROGRESS_REG, 100.f}};
  EXPECT_EQ(progress_.reports(), expected);
}

// A readable "ichannel" (even an empty one) survives a re-install with another channel.
TEST_F(RegWorkItemTest, ExistingChannelIsKept) {
  SetRawString(kProductRegKey, L"ichannel", L"PARTNER");
  CRegWorkItem item;
  item.WriteUsageStatsValues();
  EXPECT_EQ(AsWide(ReadRegValue(kProductRegKey, L"ichannel")), L"PARTNER");

  SetRawString(kProductRegKey, L"ichannel", L"");
  item.WriteUsageStatsValues();
  const RegValue v = ReadRegValue(kProductRegKey, L"ichannel");
  EXPECT_TRUE(v.exists);
  EXPECT_TRUE(v.bytes.empty());
}

// A channel value too long for the 260-byte read buffer counts as unreadable and is replaced;
// one that just fits is kept.
TEST_F(RegWorkItemTest, OverlongChannelIsReplaced) {
  SetRawString(kProductRegKey, L"ichannel", std::wstring(131, L'x'));  // 262 bytes
  CRegWorkItem item;
  item.WriteUsageStatsValues();
  EXPECT_EQ(ReadRegValue(kProductRegKey, L"ichannel").bytes, Utf16Bytes(L"SITE"));

  SetRawString(kProductRegKey, L"ichannel", std::wstring(100, L'y'));  // 200 bytes
  item.WriteUsageStatsValues();
  EXPECT_EQ(AsWide(ReadRegValue(kProductRegKey, L"ichannel")), std::wstring(100, L'y'));
}

// Stale values and sub-keys under the App Paths and uninstall keys are gone after an install.
TEST_F(RegWorkItemTest, StaleEntriesDisappear) {
  SetRawString(kAppPathsRegKey, L"Stale", L"old");
  SetRawString((std::wstring(kAppPathsRegKey) + L"\\Sub").c_str(), L"x", L"old");
  SetRawString(kUninstallRegKey, L"Stale", L"old");
  SetRawString((std::wstring(kUninstallRegKey) + L"\\Sub").c_str(), L"x", L"old");

  CRegWorkItem item;
  ASSERT_TRUE(item.DoImpl());
  EXPECT_FALSE(ReadRegValue(kAppPathsRegKey, L"Stale").exists);
  EXPECT_FALSE(RegKeyExists((std::wstring(kAppPathsRegKey) + L"\\Sub").c_str()));
  EXPECT_FALSE(ReadRegValue(kUninstallRegKey, L"Stale").exists);
  EXPECT_FALSE(RegKeyExists((std::wstring(kUninstallRegKey) + L"\\Sub").c_str()));
  EXPECT_TRUE(ReadRegValue(kUninstallRegKey, L"DisplayName").exists);
}

// Without an uninstaller the step fails with its message, leaves only "DisplayName" in the
// uninstall key, sends no final progress, and its roll-back removes everything it wrote.
TEST_F(RegWorkItemTest, MissingUninstallerFailsAndRollsBack) {
  ASSERT_TRUE(::DeleteFileW((app_ + L"\\1.2.3.4\\Installer\\uninstaller.exe").c_str()));
  CRegWorkItem item;
  EXPECT_FALSE(item.DoImpl());
  EXPECT_EQ(item.error_text(), kUninstallerMissingMessage);
  EXPECT_TRUE(ReadRegValue(kUninstallRegKey, L"DisplayName").exists);
  EXPECT_FALSE(ReadRegValue(kUninstallRegKey, L"UninstallString").exists);
  EXPECT_FALSE(ReadRegValue(kUninstallRegKey, L"InstallDate").exists);
  const std::vector<std::pair<SETUP_PROGRESS, float>> expected = {{PROGRESS_REG, 0.f}};
  EXPECT_EQ(progress_.reports(), expected);

  item.RollbackImpl();
  EXPECT_FALSE(RegKeyExists(kUninstallRegKey));
  EXPECT_FALSE(RegKeyExists(kAppPathsRegKey));
  EXPECT_FALSE(RegKeyExists(kProductRegKey));
}

// A main executable that does not exist has no long form: the path values are empty strings
// while "DisplayIcon" still names it; without any version resource "DisplayVersion" is the
// installer's own version.
TEST_F(RegWorkItemTest, MissingMainExecutable) {
  ASSERT_TRUE(::DeleteFileW((app_ + L"\\vireo.exe").c_str()));
  CRegWorkItem item;
  ASSERT_TRUE(item.DoImpl());
  RegValue v = ReadRegValue(kAppPathsRegKey, L"");
  EXPECT_TRUE(v.exists);
  EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(v.bytes, Utf16Bytes(L""));
  EXPECT_EQ(ReadRegValue(kAppPathsRegKey, L"Path").bytes, Utf16Bytes(app_));
  v = ReadRegValue(kUninstallRegKey, L"InstallLocation");
  EXPECT_TRUE(v.exists);
  EXPECT_EQ(v.bytes, Utf16Bytes(L""));
  EXPECT_EQ(test::ReadRegString(kUninstallRegKey, L"DisplayIcon"), app_ + L"\\vireo.exe,0");
  EXPECT_EQ(test::ReadRegString(kUninstallRegKey, L"DisplayVersion"),
            GetFileVersionString(GetSelfExePath().c_str()));
}

// An application folder held with a trailing backslash is written without it.
TEST_F(RegWorkItemTest, TrailingBackslashIsDropped) {
  CInstallOptions& o = CInstallOptions::Get();
  ASSERT_TRUE(o.app_dir.Assign(app_ + L"\\"));
  CRegWorkItem item;
  ASSERT_TRUE(item.DoImpl());
  EXPECT_EQ(test::ReadRegString(kAppPathsRegKey, L"Path"), app_);
  EXPECT_EQ(test::ReadRegString(kUninstallRegKey, L"InstallLocation"), app_);
}

// Uninstall removes the whole product key (values the browser stored too), both entries and
// the auto-start value, and leaves other auto-start values alone.
TEST_F(RegWorkItemTest, UninstallRemovesEverything) {
  CRegWorkItem install;
  ASSERT_TRUE(install.DoImpl());
  SetRawString(kProductRegKey, L"BrowserOwn", L"x");
  SetRawString(kRunRegKey, L"Vireo", L"\"vireo.exe\" --autostart");
  SetRawString(kRunRegKey, L"Other", L"other.exe");
  progress_.clear();

  CInstallOptions::Get().uninstall = true;
  CRegWorkItem item;
  EXPECT_TRUE(item.DoImpl());
  EXPECT_FALSE(RegKeyExists(kProductRegKey));
  EXPECT_FALSE(RegKeyExists(kAppPathsRegKey));
  EXPECT_FALSE(RegKeyExists(kUninstallRegKey));
  EXPECT_FALSE(ReadRegValue(kRunRegKey, L"Vireo").exists);
  EXPECT_TRUE(ReadRegValue(kRunRegKey, L"Other").exists);
  const std::vector<std::pair<SETUP_PROGRESS, float>> expected = {{PROGRESS_UNINSTALL_REG, 0.f},
                                                                   {PROGRESS_UNINSTALL_REG, 100.f}};
  EXPECT_EQ(progress_.reports(), expected);

  // A second uninstall with nothing left still succeeds.
  EXPECT_TRUE(item.DoImpl());
}

// A roll-back after an update writes the three keys back as they were, values the browser
// stored and sub-keys included, and leaves the auto-start value alone.
TEST_F(RegWorkItemTest, RollbackPutsBackTheEarlierKeys) {
  SetRawString(kProductRegKey, L"ichannel", L"OLD");
  SetRawString(kProductRegKey, L"browser_value", L"kept");
  SetRawString(kAppPathsRegKey, nullptr, L"C:\\Old\\vireo.exe");
  SetRawString((std::wstring(kUninstallRegKey) + L"\\Sub").c_str(), L"x", L"y");
  SetRawString(kUninstallRegKey, L"DisplayVersion", L"0.9");
  SetRawString(kRunRegKey, kProductName, L"vireo.exe --autostart");
  const std::vector<std::wstring> keys = {kProductRegKey, kAppPathsRegKey, kUninstallRegKey};
  std::vector<RegistryKeySnapshot> before;
  for (const std::wstring& key : keys) before.push_back(RegistryKeySnapshot::Capture(HKEY_CURRENT_USER, key));

  CRegWorkItem item;
  ASSERT_TRUE(item.DoImpl());
  ASSERT_EQ(test::ReadRegString(kUninstallRegKey, L"DisplayVersion"), L"1.2.3.4");
  item.RollbackImpl();
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(RegistryKeySnapshot::Capture(HKEY_CURRENT_USER, keys[i]).key(), before[i].key()) << i;
  }
  EXPECT_EQ(test::ReadRegString(kRunRegKey, kProductName), L"vireo.exe --autostart");
}

// A registry write that fails (the list of installed programs is a volatile key, under which
// no lasting key can be created) fails the step with its own message instead of reporting
// success without an uninstall entry.
TEST_F(RegWorkItemTest, RefusedWriteFailsTheStep) {
  const std::wstring list(ParentPart(kUninstallRegKey));
  ScopedRegKey above, volatile_list;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, std::wstring(ParentPart(list)).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, above.receive(), nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(::RegCreateKeyExW(above.get(), FileNamePart(list).data(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, volatile_list.receive(), nullptr),
            ERROR_SUCCESS);

  CRegWorkItem item;
  EXPECT_FALSE(item.DoImpl());
  EXPECT_EQ(item.error_text(), kRegistryWriteMessage);
  item.RollbackImpl();
  EXPECT_FALSE(RegKeyExists(kAppPathsRegKey));
}

}  // namespace
}  // namespace vireo
