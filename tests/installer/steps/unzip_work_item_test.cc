#include "installer/steps/unzip_work_item.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "archive/unzip_result.h"
#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "support/module_instance.h"
#include "support/scoped_handle.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/progress_recorder.h"
#include "tests/test_support/scoped_env.h"
#include "tests/test_support/scoped_module_instance.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo {
namespace {

using test::IsDirectory;
using test::ListFolder;
using test::MakeDirs;
using test::PathExists;
using test::ReadFileBytes;
using test::WriteFileBytes;

// Each case runs with a private temporary folder (the module file lands there), an
// application folder inside it, and one of the stand-in installer images.
class UnzipWorkItemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temp_env_.ok());
    app_ = temp_.Join(L"Vireo\\Application");
    CInstallOptions::Get().ResetForTesting();
    CInstallOptions::Get().SetPortableDir(app_);
    ASSERT_EQ(std::wstring(CInstallOptions::Get().GetExtractDir()), app_ + L"\\");
  }
  void UseImage(const char* kind) {
    const std::wstring dll = test::BuildPath(std::string("unzip_fixtures/unzip_") + kind + ".dll");
    image_.emplace(dll);
    ASSERT_TRUE(image_->ok()) << "missing fixture " << kind;
  }

  std::wstring App(const wchar_t* relative) const { return app_ + L"\\" + relative; }

  // Nothing of the step's temporary files is left (the module file): only the product
  // folder. The package itself never reaches the temporary folder.
  void ExpectNoTemporaryLeftovers() {
    for (const std::wstring& name : ListFolder(temp_.path())) {
      EXPECT_EQ(name, L"Vireo") << "left behind: " << std::string(name.begin(), name.end());
    }
  }

  test::ScopedTempDir temp_;
  std::wstring app_;
  test::ScopedTempFolderEnv temp_env_{temp_.path()};
  test::ScopedProgressRecorder progress_;
  std::optional<test::ScopedModuleInstance> image_;
};

// A fresh install into a missing folder hoists Chrome-bin, lists every entry as created, and
// a roll-back removes it all, the application folder and the product folder it created
// included.
TEST_F(UnzipWorkItemTest, FreshInstallAndRollback) {
  UseImage("browser");
  CUnzipWorkItem step;
  ASSERT_TRUE(step.DoImpl()) << std::string(step.error_text().begin(), step.error_text().end());
  EXPECT_EQ(ReadFileBytes(App(L"vireo.exe")), "new main executable\n");
  EXPECT_EQ(ReadFileBytes(App(L"1.2.3.4\\Installer\\uninstaller.exe")), "uninstaller\n");
  EXPECT_FALSE(PathExists(App(L"Chrome-bin")));
  const std::vector<std::wstring> expected = {L"1.2.3.4",           L"1.2.3.4\\Installer",
                                              L"1.2.3.4\\Installer\\uninstaller.exe",
                                              L"1.2.3.4\\Locales", L"1.2.3.4\\Locales\\en-US.pak",
                                              L"readme.txt",        L"vireo.exe"};
  EXPECT_EQ(step.created_entries(), expected);
  ExpectNoTemporaryLeftovers();

  step.RollbackImpl();
  EXPECT_FALSE(PathExists(temp_.Join(L"Vireo")));
}

// Progress of a successful run follows the program archive alone: 0 first, 100 last, never
// back.
TEST_F(UnzipWorkItemTest, ProgressRunsFromZeroToHundred) {
  UseImage("browser");
  CUnzipWorkItem step;
  ASSERT_TRUE(step.DoImpl());
  const std::vector<float> p = progress_.percents(PROGRESS_UNZIP);
  ASSERT_GE(p.size(), 2u);
  EXPECT_EQ(p.front(), 0.0f);
  EXPECT_EQ(p.back(), 100.0f);
  for (size_t i = 1; i < p.size(); ++i) EXPECT_GE(p[i], p[i - 1]) << "at " << i;
}

// An update over an existing tree lists only new names (case-insensitively) and keeps every
// file it replaces in "chrome.bak" (a stale one from an ended run is cleared first); a
// roll-back leaves the tree exactly as it was.
TEST_F(UnzipWorkItemTest, UpdateRollbackRestoresTheTree) {
  UseImage("browser");
  ASSERT_TRUE(MakeDirs(App(L"1.2.3.4\\INSTALLER")));
  ASSERT_TRUE(MakeDirs(App(L"chrome.bak")));
  ASSERT_TRUE(WriteFileBytes(App(L"chrome.bak\\stale.txt"), "stale"));
  ASSERT_TRUE(WriteFileBytes(App(L"VIREO.EXE"), "old main"));
  ASSERT_TRUE(WriteFileBytes(App(L"user_file.txt"), "mine"));
  ASSERT_TRUE(WriteFileBytes(App(L"1.2.3.4\\INSTALLER\\uninstaller.exe"), "old uninstaller"));
  CUnzipWorkItem step;
  ASSERT_TRUE(step.DoImpl());
  EXPECT_EQ(ReadFileBytes(App(L"vireo.exe")), "new main executable\n");
  EXPECT_EQ(ReadFileBytes(App(L"1.2.3.4\\Installer\\uninstaller.exe")), "uninstaller\n");
  // The existing folder keeps its spelling.
  const std::vector<std::wstring> expected = {L"1.2.3.4\\Locales", L"1.2.3.4\\Locales\\en-US.pak", L"readme.txt"};
  EXPECT_EQ(step.created_entries(), expected);
  EXPECT_FALSE(PathExists(App(L"chrome.bak\\stale.txt")));
  EXPECT_EQ(ListFolder(App(L"chrome.bak")).size(), 2u);

  step.RollbackImpl();
  std::vector<std::wstring> names = ListFolder(app_);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"1.2.3.4", L"VIREO.EXE", L"user_file.txt"}));
  EXPECT_EQ(ReadFileBytes(App(L"vireo.exe")), "old main");
  EXPECT_EQ(ReadFileBytes(App(L"user_file.txt")), "mine");
  EXPECT_EQ(ListFolder(App(L"1.2.3.4")), std::vector<std::wstring>{L"INSTALLER"});
  EXPECT_EQ(ReadFileBytes(App(L"1.2.3.4\\INSTALLER\\uninstaller.exe")), "old uninstaller");
}

// A main executable in use during a silent update is staged as new_vireo.exe instead of
// failing the step. The file is held open without sharing, which is how a running image
// refuses replacement.
TEST_F(UnzipWorkItemTest, MainExeInUseIsStaged) {
  UseImage("browser");
  CInstallOptions::Get().silent = true;
  ASSERT_TRUE(MakeDirs(app_));
  ASSERT_TRUE(WriteFileBytes(App(L"vireo.exe"), "running main"));
  ScopedFile lock(::CreateFileW(App(L"vireo.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock);
  CUnzipWorkItem step;
  const bool result = step.DoImpl();
  lock.reset();
  ASSERT_TRUE(result) << std::string(step.error_text().begin(), step.error_text().end());
  EXPECT_EQ(ReadFileBytes(App(L"vireo.exe")), "running main");
  EXPECT_EQ(ReadFileBytes(App(L"new_vireo.exe")), "new main executable\n");
  EXPECT_FALSE(PathExists(App(L"Chrome-bin")));
}

// A program archive without Chrome-bin succeeds and is left as extracted.
TEST_F(UnzipWorkItemTest, ProgramWithoutTopFolderIsNotHoisted) {
  UseImage("flat");
  CUnzipWorkItem step;
  ASSERT_TRUE(step.DoImpl());
  EXPECT_EQ(ReadFileBytes(App(L"loose.txt")), "loose\n");
  EXPECT_EQ(ReadFileBytes(App(L"other\\inner.txt")), "inner\n");
  ExpectNoTemporaryLeftovers();
}

// A chrome.7z that is no archive fails with code 13 in the message; progress ends at 0.
TEST_F(UnzipWorkItemTest, BrokenProgramArchiveFails) {
  UseImage("broken");
  CUnzipWorkItem step;
  EXPECT_FALSE(step.DoImpl());
  EXPECT_EQ(step.error_text(), FormatMessageText(kUnzipProgramFormat, UNZIP_EXTRACT_FAILED));
  ASSERT_FALSE(progress_.percents(PROGRESS_UNZIP).empty());
  EXPECT_EQ(progress_.percents(PROGRESS_UNZIP).back(), 0.0f);
  ExpectNoTemporaryLeftovers();
  step.RollbackImpl();
  EXPECT_TRUE(ListFolder(app_).empty());
}

// A file below Chrome-bin that cannot be created fails the inner extraction with 13.
TEST_F(UnzipWorkItemTest, LockedFileBelowTopFolderFails) {
  UseImage("browser");
  ASSERT_TRUE(MakeDirs(App(L"Chrome-bin")));
  ASSERT_TRUE(WriteFileBytes(App(L"Chrome-bin\\readme.txt"), "held"));
  ScopedFile lock(
      ::CreateFileW(App(L"Chrome-bin\\readme.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock);
  CUnzipWorkItem step;
  EXPECT_FALSE(step.DoImpl());
  lock.reset();
  EXPECT_EQ(step.error_text(), FormatMessageText(kUnzipProgramFormat, UNZIP_EXTRACT_FAILED));
  EXPECT_EQ(progress_.percents(PROGRESS_UNZIP).back(), 0.0f);
}

// A package that compresses chrome.7z instead of storing it cannot be read in place: the
// package's failure message, nothing created.
TEST_F(UnzipWorkItemTest, PackageThatDoesNotStoreTheProgramFails) {
  UseImage("compressed");
  CUnzipWorkItem step;
  EXPECT_FALSE(step.DoImpl());
  EXPECT_EQ(step.error_text(), FormatMessageText(kUnzipPackageFormat, UNZIP_EXTRACT_FAILED));
  step.RollbackImpl();
  EXPECT_FALSE(PathExists(temp_.Join(L"Vireo")));
  ExpectNoTemporaryLeftovers();
}

// Without the module resource the step fails with the initialisation message.
TEST_F(UnzipWorkItemTest, MissingResourcesFail) {
  // The test executable itself carries neither resource.
  CUnzipWorkItem step;
  EXPECT_FALSE(step.DoImpl());
  EXPECT_EQ(step.error_text(), kUnzipResourceMessage);
  step.RollbackImpl();
  ExpectNoTemporaryLeftovers();
}

}  // namespace
}  // namespace vireo
