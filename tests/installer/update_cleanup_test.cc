#include "installer/update_cleanup.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "installer/product_constants.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo::test {
namespace {

// Version folders other than the executable's go only while the executable's own folder is
// there: when its version (2.0.0.0) names no folder (a mis-packed build) every folder stays,
// since the browser runs from one of them; once that folder exists the others go. Folders
// whose names are no file version ("1.0", a part above 65535) are never version folders.
TEST(UpdateCleanupTest, KeepsEveryVersionFolderWhenNoneIsTheExecutables) {
  ScopedTempDir app;
  ASSERT_TRUE(::CopyFileW(BuildPath("fixtures/version_2_0_0_0.exe").c_str(), app.Join(kMainExeName).c_str(), FALSE));
  ASSERT_TRUE(MakeDirs(app.Join(L"1.0.0.0")) && MakeDirs(app.Join(L"3.0.0.0")));
  RemoveUpdateLeftovers(app.path().c_str(), true);
  EXPECT_TRUE(IsDirectory(app.Join(L"1.0.0.0")));
  EXPECT_TRUE(IsDirectory(app.Join(L"3.0.0.0")));

  ASSERT_TRUE(MakeDirs(app.Join(L"2.0.0.0")) && MakeDirs(app.Join(L"1.0")) && MakeDirs(app.Join(L"1.0.0.65536")));
  RemoveUpdateLeftovers(app.path().c_str(), true);
  EXPECT_TRUE(IsDirectory(app.Join(L"1.0")));
  EXPECT_TRUE(IsDirectory(app.Join(L"1.0.0.65536")));
  EXPECT_FALSE(PathExists(app.Join(L"1.0.0.0")));
  EXPECT_FALSE(PathExists(app.Join(L"3.0.0.0")));
  EXPECT_TRUE(IsDirectory(app.Join(L"2.0.0.0")));
}

// What a run set aside stays, with every version folder, unless a run of this process
// succeeded: after an incomplete roll-back it may be the only copy of the earlier browser.
TEST(UpdateCleanupTest, SetAsideCopiesGoOnlyAfterASuccessfulRun) {
  ScopedTempDir app;
  ASSERT_TRUE(::CopyFileW(BuildPath("fixtures/version_2_0_0_0.exe").c_str(), app.Join(kMainExeName).c_str(), FALSE));
  ASSERT_TRUE(MakeDirs(app.Join(L"1.0.0.0")) && MakeDirs(app.Join(L"2.0.0.0")));
  ASSERT_TRUE(MakeDirs(app.Join(kReplacedFilesFolderName)));
  ASSERT_TRUE(WriteFileBytes(app.Join(std::wstring(kReplacedFilesFolderName) + L"\\0.chrome.dll"), "earlier"));
  RemoveUpdateLeftovers(app.path().c_str(), false);
  EXPECT_EQ(ReadFileBytes(app.Join(std::wstring(kReplacedFilesFolderName) + L"\\0.chrome.dll")), "earlier");
  EXPECT_TRUE(IsDirectory(app.Join(L"1.0.0.0")));

  RemoveUpdateLeftovers(app.path().c_str(), true);
  EXPECT_FALSE(PathExists(app.Join(kReplacedFilesFolderName)));
  EXPECT_FALSE(PathExists(app.Join(L"1.0.0.0")));
  EXPECT_TRUE(IsDirectory(app.Join(L"2.0.0.0")));
}

}  // namespace
}  // namespace vireo::test
