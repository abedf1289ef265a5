#include "installer/install_options.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <optional>
#include <string>

#include "installer/command_line.h"
#include "installer/product_constants.h"
#include "support/module_instance.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/registry_sandbox.h"
#include "tests/test_support/scoped_module_instance.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo {
namespace {

// Each case reads the shipped resources of the built installer (version 1.0.0.1 and the
// shipped configuration) and gets its own HKEY_CURRENT_USER and temp folder.
class InstallOptionsTest : public testing::Test {
 protected:
  void SetUp() override {
    UseModule("bin/vireo_setup.exe");
    ASSERT_TRUE(hkcu_.ok()) << "RegOverridePredefKey unavailable";
    ASSERT_FALSE(temp_.path().empty());
    CInstallOptions::Get().ResetForTesting();
  }
  void UseModule(const char* build_relative) {
    module_.emplace(test::BuildPath(build_relative));
    ASSERT_TRUE(module_->ok());
  }
  CInstallOptions& Load(const wchar_t* command_line) {
    CCommandLine::Get().Init(command_line);
    CInstallOptions& o = CInstallOptions::Get();
    o.ResetForTesting();
    o.Load();
    return o;
  }
  // Places a copy of a fixture (or the installer itself) as |dir|\vireo.exe.
  void PlaceExe(const std::wstring& dir, const char* build_relative, const wchar_t* name = L"vireo.exe") {
    ASSERT_TRUE(test::MakeDirs(dir));
    ASSERT_TRUE(::CopyFileW(test::BuildPath(build_relative).c_str(), (dir + L"\\" + name).c_str(), FALSE));
  }
  static int StateCount(const CInstallOptions& o) {
    return o.new_install + o.older_installed + o.same_installed + o.newer_installed;
  }

  test::ScopedHkcuOverride hkcu_;
  test::ScopedTempDir temp_;
  std::optional<test::ScopedModuleInstance> module_;
};

// Every spelling of the silent switch sets the flag; upper case does not.
TEST_F(InstallOptionsTest, SwitchesSetFlags) {
  for (const wchar_t* line : {L"--s", L"-s", L"/s", L"--silent", L"/silent"}) {
    EXPECT_TRUE(Load(line).silent) << line;
  }
  EXPECT_FALSE(Load(L"--S").silent);
  const CInstallOptions& o = Load(L"--uninstall --portable --pending_restart");
  EXPECT_TRUE(o.uninstall);
  EXPECT_TRUE(o.portable);
  EXPECT_TRUE(o.pending_restart);
  EXPECT_TRUE(o.delete_user_data);
}

// The shipped configuration fills channel, comment, company and homepage; the two product
// names stay empty so the product word is used.
TEST_F(InstallOptionsTest, ShippedConfiguration) {
  const CInstallOptions& o = Load(L"");
  EXPECT_EQ(o.channel, L"SITE");
  EXPECT_EQ(o.shortcut_comment, L"\x8BBF\x95EE\x4E92\x8054\x7F51");  // 访问互联网
  EXPECT_EQ(o.cmd, L"");
  EXPECT_EQ(o.protocol, L"");
  EXPECT_FALSE(o.company.empty());
  EXPECT_FALSE(o.homepage.empty());
  EXPECT_EQ(o.product_cn, L"");
  EXPECT_EQ(o.product_en, L"");
  EXPECT_EQ(o.GetProductName(), L"Vireo");
}

// Comments are accepted; members of other types leave their fields empty.
TEST_F(InstallOptionsTest, ConfigurationMembersOfOtherTypesAreSkipped) {
  UseModule("fixtures/config_number_channel.exe");
  CInstallOptions& o = Load(L"");
  EXPECT_EQ(o.channel, L"");
  EXPECT_EQ(o.homepage, L"");
  EXPECT_EQ(o.product_en, L"VireoBeta");
  EXPECT_EQ(o.company, L"Acme");
  EXPECT_EQ(o.GetProductName(), L"VireoBeta");
}

// Invalid UTF-8 converts with replacement characters; valid text around it survives.
TEST_F(InstallOptionsTest, InvalidUtf8ConvertsWithReplacement) {
  UseModule("fixtures/config_invalid_utf8.exe");
  const CInstallOptions& o = Load(L"");
  EXPECT_EQ(o.company, L"\x4E2D\x6587");
  ASSERT_GE(o.channel.size(), 4u);
  EXPECT_EQ(o.channel.front(), L'S');
  EXPECT_NE(o.channel.find(L'\xFFFD'), std::wstring::npos);
}

// Malformed records, a non-object root and a missing resource all leave everything empty.
TEST_F(InstallOptionsTest, BrokenOrMissingConfigurationLeavesFieldsEmpty) {
  for (const char* module : {"fixtures/config_malformed.exe", "fixtures/config_array_root.exe",
                             "fixtures/version_none.exe"}) {
    UseModule(module);
    const CInstallOptions& o = Load(L"");
    EXPECT_EQ(o.channel, L"") << module;
    EXPECT_EQ(o.company, L"") << module;
    EXPECT_EQ(o.GetProductName(), L"Vireo") << module;
  }
}

// A portable folder with a space arrives unquoted and sets every path; the state comes
// from the folder's own vireo.exe compared with the installer's version.
TEST_F(InstallOptionsTest, PortableFolderSetsPathsAndState) {
  const std::wstring dir = temp_.Join(L"My Vireo");
  const std::wstring line = L"--portable --installpath=\"" + dir + L"\\\" --silent";
  CInstallOptions& o = Load(line.c_str());
  EXPECT_TRUE(o.new_install);
  EXPECT_EQ(o.GetInstallDir(), dir);
  EXPECT_EQ(o.GetAppDir(), dir);
  EXPECT_EQ(o.GetExtractDir(), dir + L"\\");
  EXPECT_EQ(o.GetUserDataDir(), dir + L"\\User Data\\");
  EXPECT_EQ(o.GetMainExePath(), dir + L"\\vireo.exe");

  struct {
    const char* exe;
    bool CInstallOptions::*flag;
  } const states[] = {
      {"fixtures/version_none.exe", &CInstallOptions::older_installed},   // 0 < 1.0.0.1
      {"bin/vireo_setup.exe", &CInstallOptions::same_installed},
      {"fixtures/version_1_2_3_4.exe", &CInstallOptions::newer_installed},
  };
  for (const auto& s : states) {
    PlaceExe(dir, s.exe);
    const CInstallOptions& again = Load(line.c_str());
    EXPECT_TRUE(again.*s.flag) << s.exe;
    EXPECT_EQ(StateCount(again), 1) << s.exe;
  }
}

// installpath means nothing without portable; twice, the first counts; empty is ignored.
TEST_F(InstallOptionsTest, InstallpathRules) {
  const std::wstring a = temp_.Join(L"a");
  const std::wstring b = temp_.Join(L"b");
  CInstallOptions& ignored = Load((L"--installpath=" + a).c_str());
  EXPECT_NE(std::wstring(ignored.GetAppDir()), a);
  EXPECT_EQ(std::wstring(ignored.GetAppDir()), std::wstring(ignored.GetDefaultRoot()) + L"Application\\");

  CInstallOptions& first = Load((L"--portable --installpath=" + a + L" --installpath=" + b).c_str());
  EXPECT_EQ(first.GetAppDir(), a);

  CInstallOptions& empty = Load(L"--portable --installpath=");
  EXPECT_EQ(std::wstring(empty.GetAppDir()), std::wstring(empty.GetDefaultRoot()) + L"Application\\");
  EXPECT_TRUE(empty.new_install);
}

// A portable folder too long for the path buffers is refused: no install folder at all,
// rather than a silent fall-back to the default location.
TEST_F(InstallOptionsTest, OverlongPortableFolderIsRefused) {
  const std::wstring dir = L"C:\\" + std::wstring(300, L'x');
  CInstallOptions& o = Load((L"--portable --installpath=" + dir).c_str());
  EXPECT_TRUE(o.path_refused());
  EXPECT_STREQ(o.GetAppDir(), L"");
  EXPECT_STREQ(o.GetExtractDir(), L"");
  EXPECT_STREQ(o.GetMainExePath(), L"");
  // A folder that fits only without "User Data" is refused as well.
  CInstallOptions& edge = Load((L"--portable --installpath=C:\\" + std::wstring(252, L'y')).c_str());
  EXPECT_TRUE(edge.path_refused());
}

// The registered Path ending in "Application\" gives its parent as install root.
TEST_F(InstallOptionsTest, RegisteredApplicationFolderIsTakenOver) {
  const std::wstring root = temp_.Join(L"Root");
  const std::wstring app = root + L"\\Application";
  PlaceExe(app, "fixtures/version_1_2_3_4.exe");
  ASSERT_TRUE(test::SetHkcuString(kAppPathsRegKey, L"", app + L"\\vireo.exe"));
  ASSERT_TRUE(test::SetHkcuString(kAppPathsRegKey, L"Path", app + L"\\"));
  CInstallOptions& o = Load(L"--silent");
  EXPECT_TRUE(o.newer_installed);
  EXPECT_EQ(StateCount(o), 1);
  EXPECT_EQ(o.GetInstallDir(), root);
  EXPECT_EQ(o.GetAppDir(), app);
  EXPECT_EQ(o.GetMainExePath(), app + L"\\vireo.exe");
}

// A registered Path without an "Application" component is both root and app folder.
TEST_F(InstallOptionsTest, RegisteredPlainFolder) {
  const std::wstring dir = temp_.Join(L"Plain");
  PlaceExe(dir, "bin/vireo_setup.exe");
  ASSERT_TRUE(test::SetHkcuString(kAppPathsRegKey, L"", dir + L"\\vireo.exe"));
  ASSERT_TRUE(test::SetHkcuString(kAppPathsRegKey, L"Path", dir));
  CInstallOptions& o = Load(L"");
  EXPECT_TRUE(o.same_installed);
  EXPECT_EQ(o.GetInstallDir(), dir);
  EXPECT_EQ(o.GetAppDir(), dir);
}

// A registered installation marked portable counts as none and its folders are not used.
TEST_F(InstallOptionsTest, RegisteredPortableInstallationIsIgnored) {
  const std::wstring dir = temp_.Join(L"Portable");
  PlaceExe(dir, "bin/vireo_setup.exe");
  ASSERT_TRUE(test::WriteFileBytes(dir + L"\\.portable", ""));
  ASSERT_TRUE(test::SetHkcuString(kAppPathsRegKey, L"", dir + L"\\vireo.exe"));
  ASSERT_TRUE(test::SetHkcuString(kAppPathsRegKey, L"Path", dir));
  CInstallOptions& o = Load(L"");
  EXPECT_TRUE(o.new_install);
  EXPECT_EQ(StateCount(o), 1);
  EXPECT_NE(std::wstring(o.GetAppDir()), dir);

  // The marker found only through "Path" counts as well.
  ASSERT_TRUE(test::SetHkcuString(kAppPathsRegKey, L"", temp_.Join(L"elsewhere\\vireo.exe")));
  CInstallOptions& again = Load(L"");
  EXPECT_TRUE(again.new_install);
  EXPECT_NE(std::wstring(again.GetAppDir()), dir);
}

// A registered exe that is gone means a new install; its folder is still taken over when it
// exists and not when it is gone.
TEST_F(InstallOptionsTest, StaleRegistration) {
  const std::wstring app = temp_.Join(L"Stale\\Application");
  ASSERT_TRUE(test::MakeDirs(app));
  ASSERT_TRUE(test::SetHkcuString(kAppPathsRegKey, L"", app + L"\\vireo.exe"));
  ASSERT_TRUE(test::SetHkcuString(kAppPathsRegKey, L"Path", app));
  CInstallOptions& o = Load(L"");
  EXPECT_TRUE(o.new_install);
  EXPECT_EQ(o.GetAppDir(), app);
  EXPECT_EQ(o.GetInstallDir(), temp_.Join(L"Stale"));

  ASSERT_TRUE(test::SetHkcuString(kAppPathsRegKey, L"Path", temp_.Join(L"Gone\\Application")));
  CInstallOptions& gone = Load(L"");
  EXPECT_TRUE(gone.new_install);
  EXPECT_EQ(std::wstring(gone.GetAppDir()), std::wstring(gone.GetDefaultRoot()) + L"Application\\");
}

// Registry values longer than the path buffer read as empty instead of being cut.
TEST_F(InstallOptionsTest, OverlongRegistryValuesReadAsEmpty) {
  ASSERT_TRUE(test::SetHkcuString(kAppPathsRegKey, L"Path", L"C:\\" + std::wstring(280, L'p')));
  CInstallOptions& o = Load(L"");
  EXPECT_TRUE(o.new_install);
  EXPECT_EQ(std::wstring(o.GetAppDir()), std::wstring(o.GetDefaultRoot()) + L"Application\\");
}

// Defaults: the local application-data folder + Vireo, with Application and User Data below.
TEST_F(InstallOptionsTest, DefaultPaths) {
  wchar_t local[MAX_PATH];
  ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local), S_OK);
  CInstallOptions& o = Load(L"");
  const std::wstring root = std::wstring(local) + L"\\Vireo\\";
  EXPECT_EQ(o.GetDefaultRoot(), root);
  EXPECT_EQ(o.GetInstallDir(), root);
  EXPECT_EQ(o.GetAppDir(), root + L"Application\\");
  EXPECT_EQ(o.GetExtractDir(), root + L"Application\\");
  EXPECT_EQ(o.GetUserDataDir(), root + L"User Data\\");
  EXPECT_EQ(o.GetMainExePath(), root + L"Application\\vireo.exe");
}

// A chosen folder: a drive root gets the product word and no Application subfolder; the
// default root (with or without backslash) gets Application; too long is refused.
TEST_F(InstallOptionsTest, SetInstallDirRules) {
  CInstallOptions& o = Load(L"");
  const std::wstring root = o.GetDefaultRoot();

  o.SetInstallDir(L"D:\\");
  EXPECT_EQ(o.GetInstallDir(), std::wstring(L"D:\\Vireo"));
  EXPECT_EQ(o.GetAppDir(), std::wstring(L"D:\\Vireo"));
  EXPECT_EQ(o.GetExtractDir(), std::wstring(L"D:\\Vireo\\"));
  EXPECT_EQ(o.GetMainExePath(), std::wstring(L"D:\\Vireo\\vireo.exe"));

  for (const std::wstring& chosen : {root, root.substr(0, root.size() - 1)}) {
    o.SetInstallDir(chosen);
    EXPECT_EQ(o.GetInstallDir(), root.substr(0, root.size() - 1));
    EXPECT_EQ(o.GetAppDir(), root + L"Application");
    EXPECT_EQ(o.GetExtractDir(), root + L"Application\\");
    EXPECT_EQ(o.GetUserDataDir(), root + L"User Data\\");
  }

  o.SetInstallDir(L"E:\\Apps\\Browser\\");
  EXPECT_EQ(o.GetAppDir(), std::wstring(L"E:\\Apps\\Browser"));

  o.SetInstallDir(L"");  // ignored
  EXPECT_EQ(o.GetAppDir(), std::wstring(L"E:\\Apps\\Browser"));

  o.SetInstallDir(L"E:\\" + std::wstring(270, L'z'));
  EXPECT_TRUE(o.path_refused());
  EXPECT_STREQ(o.GetAppDir(), L"");
  o.SetInstallDir(L"E:\\ok");
  EXPECT_FALSE(o.path_refused());
  EXPECT_EQ(o.GetAppDir(), std::wstring(L"E:\\ok"));
}

// A configured product_en is appended unless the folder already ends with it.
TEST_F(InstallOptionsTest, SetInstallDirAppendsConfiguredProductName) {
  UseModule("fixtures/config_number_channel.exe");
  CInstallOptions& o = Load(L"");
  o.SetInstallDir(L"E:\\Apps");
  EXPECT_EQ(o.GetInstallDir(), std::wstring(L"E:\\Apps\\VireoBeta"));
  o.SetInstallDir(L"E:\\Apps\\vireobeta");
  EXPECT_EQ(o.GetInstallDir(), std::wstring(L"E:\\Apps\\vireobeta"));
  o.SetInstallDir(L"F:\\");
  EXPECT_EQ(o.GetInstallDir(), std::wstring(L"F:\\VireoBeta"));
}

// The current version is the newer of the staged and the main executable, and the
// uninstaller is found in that version's folder or, only when there is no such folder, in
// any folder.
TEST_F(InstallOptionsTest, CurrentVersionAndUninstaller) {
  const std::wstring dir = temp_.Join(L"App");
  CInstallOptions& o = Load((L"--portable --installpath=" + dir).c_str());
  EXPECT_EQ(o.GetCurrentVersion(), L"");
  EXPECT_STREQ(o.GetUninstallerPath(), L"");

  PlaceExe(dir, "bin/vireo_setup.exe");
  EXPECT_EQ(o.GetCurrentVersion(), L"" VIREO_TEST_FILE_VERSION);
  PlaceExe(dir, "fixtures/version_1_2_3_4.exe", L"new_vireo.exe");
  EXPECT_EQ(o.GetCurrentVersion(), L"1.2.3.4");

  ASSERT_TRUE(test::MakeDirs(dir + L"\\.hidden\\Installer"));
  ASSERT_TRUE(test::WriteFileBytes(dir + L"\\.hidden\\Installer\\uninstaller.exe", "x"));
  EXPECT_STREQ(o.GetUninstallerPath(), L"");  // dot folders are not searched
  ASSERT_TRUE(test::MakeDirs(dir + L"\\0.9.0.0\\Installer"));
  ASSERT_TRUE(test::WriteFileBytes(dir + L"\\0.9.0.0\\Installer\\uninstaller.exe", "x"));
  EXPECT_EQ(o.GetUninstallerPath(), dir + L"\\0.9.0.0\\Installer\\uninstaller.exe");

  o.uninstaller_path.Clear();
  ASSERT_TRUE(test::MakeDirs(dir + L"\\1.2.3.4\\Installer"));
  ASSERT_TRUE(test::WriteFileBytes(dir + L"\\1.2.3.4\\Installer\\uninstaller.exe", "x"));
  EXPECT_EQ(o.GetUninstallerPath(), dir + L"\\1.2.3.4\\Installer\\uninstaller.exe");

  // The version's folder without one: another folder's, removed with it at exit, is not taken.
  o.uninstaller_path.Clear();
  ASSERT_TRUE(::DeleteFileW((dir + L"\\1.2.3.4\\Installer\\uninstaller.exe").c_str()));
  EXPECT_STREQ(o.GetUninstallerPath(), L"");
}

// The program without a package always uninstalls, and removes the installation it was
// handed (a portable one as such) rather than the registered one; handed no installation, it
// falls back to the registration as any run does.
TEST_F(InstallOptionsTest, UninstallerRemovesTheInstallationItBelongsTo) {
  UseModule("uninstaller/uninstaller.exe");
  const std::wstring registered = temp_.Join(L"Registered\\Vireo\\Application");
  const std::wstring own = temp_.Join(L"Own\\Vireo\\Application");
  const std::wstring portable = temp_.Join(L"Stick");
  PlaceExe(registered, "bin/vireo_setup.exe");
  PlaceExe(own, "bin/vireo_setup.exe");
  PlaceExe(portable, "bin/vireo_setup.exe");
  ASSERT_TRUE(test::WriteFileBytes(portable + L"\\.portable", ""));
  ASSERT_TRUE(test::SetHkcuString(kAppPathsRegKey, L"Path", registered + L"\\"));

  CInstallOptions* o = &Load((L"--appdir=\"" + own + L"\"").c_str());
  EXPECT_TRUE(o->uninstall);
  EXPECT_FALSE(o->portable);
  EXPECT_EQ(std::wstring(o->GetAppDir()), own);
  EXPECT_EQ(std::wstring(o->GetInstallDir()), temp_.Join(L"Own\\Vireo"));
  EXPECT_EQ(StateCount(*o), 1);

  o = &Load((L"--appdir=\"" + portable + L"\"").c_str());
  EXPECT_TRUE(o->portable);
  EXPECT_EQ(std::wstring(o->GetAppDir()), portable);

  o = &Load((L"--appdir=\"" + temp_.Join(L"Nothing") + L"\"").c_str());
  EXPECT_TRUE(o->uninstall);
  EXPECT_EQ(std::wstring(o->GetAppDir()), registered);
}

}  // namespace
}  // namespace vireo
