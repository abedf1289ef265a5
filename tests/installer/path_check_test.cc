#include "installer/path_check.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "installer/product_constants.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

// Paths that are refused or accepted without looking at the disk (or at a place that cannot
// exist), with the exact message the user sees.
TEST(PathCheckTest, RulesThatNeedNoFolder) {
  struct Case {
    const wchar_t* path;
    const wchar_t* message;
  };
  const std::wstring too_long = L"C:\\" + std::wstring(300, L'a');
  const Case cases[] = {
      {nullptr, kPathInvalidMessage},
      {L"", kPathInvalidMessage},
      {L"relative\\Application", kPathRelativeMessage},
      {L"Application", kPathRelativeMessage},
      {L"C:\\", kPathRootMessage},
      {L"C:/", kPathRootMessage},
      {L"C:", kPathRootMessage},
      {L"\\", kPathRootMessage},
      {L"\\\\server\\share", kPathRootMessage},
      {L"\\\\server\\share\\", kPathRootMessage},
      {too_long.c_str(), kPathInvalidMessage},
      {L"C:\\vireo-path-check-does-not-exist\\Application\\", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckInstallPath(c.path), c.message) << (c.path ? c.path : L"(null)");
  }
  // Nothing is created for a missing folder.
  EXPECT_FALSE(test::PathExists(L"C:\\vireo-path-check-does-not-exist"));
}

// A real folder: empty is fine, any entry (a hidden file too) makes it foreign unless one of
// the three product executables or the payload's top folder is there; a sub-folder named
// vireo.exe counts as one.
TEST(PathCheckTest, ExistingFolderContents) {
  test::ScopedTempDir dir;
  const std::wstring app = dir.Join(L"Application");
  ASSERT_TRUE(::CreateDirectoryW(app.c_str(), nullptr));
  EXPECT_EQ(CheckInstallPath(app.c_str()), L"");
  EXPECT_EQ(CheckInstallPath((app + L"\\").c_str()), L"");

  const std::wstring hidden = app + L"\\desktop.ini";
  ASSERT_TRUE(test::WriteFileBytes(hidden, "x"));
  ASSERT_TRUE(::SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(CheckInstallPath(app.c_str()), kPathForeignFolderMessage);
  EXPECT_EQ(CheckInstallPath((app + L"\\").c_str()), kPathForeignFolderMessage);
  EXPECT_FALSE(IsInstallDir(app.c_str()));

  for (const wchar_t* exe : {L"vireo.exe", L"new_vireo.exe", L"old_vireo.exe"}) {
    const std::wstring file = app + L"\\" + exe;
    ASSERT_TRUE(test::WriteFileBytes(file, "MZ"));
    EXPECT_EQ(CheckInstallPath(app.c_str()), L"") << exe;
    EXPECT_TRUE(IsInstallDir(app.c_str())) << exe;
    ASSERT_TRUE(::DeleteFileW(file.c_str()));
    EXPECT_EQ(CheckInstallPath(app.c_str()), kPathForeignFolderMessage) << exe;
  }

  // What a run ended while unpacking leaves: the payload's top folder (a file of that name
  // does not count), which is no installation for the guards of deletion.
  const std::wstring top = app + L"\\" + kPayloadTopFolderName;
  ASSERT_TRUE(test::WriteFileBytes(top, "x"));
  EXPECT_EQ(CheckInstallPath(app.c_str()), kPathForeignFolderMessage);
  ASSERT_TRUE(::DeleteFileW(top.c_str()));
  ASSERT_TRUE(::CreateDirectoryW(top.c_str(), nullptr));
  EXPECT_EQ(CheckInstallPath(app.c_str()), L"");
  EXPECT_FALSE(IsInstallDir(app.c_str()));
  ASSERT_TRUE(::RemoveDirectoryW(top.c_str()));

  ASSERT_TRUE(::CreateDirectoryW((app + L"\\vireo.exe").c_str(), nullptr));
  EXPECT_TRUE(IsInstallDir(app.c_str()));
  EXPECT_EQ(CheckInstallPath(app.c_str()), L"");
}

// An existing file is not a folder; the caller's string is judged, not changed.
TEST(PathCheckTest, ExistingFileIsRefused) {
  test::ScopedTempDir dir;
  const std::wstring file = dir.Join(L"Application");
  ASSERT_TRUE(test::WriteFileBytes(file, "x"));
  EXPECT_EQ(CheckInstallPath(file.c_str()), kPathNotFolderMessage);
  std::wstring with_slash = file + L"\\";
  EXPECT_EQ(CheckInstallPath(with_slash.c_str()), kPathNotFolderMessage);
  EXPECT_EQ(with_slash, file + L"\\");
}

// Only paths strictly below a drive or share root pass, whichever separator they use;
// installation folders need an existing directory.
TEST(PathCheckTest, PredicatesOnRootsAndMissingFolders) {
  for (const wchar_t* root : {L"C:\\", L"C:/", L"C:", L"\\\\server\\share", L"\\\\server\\share\\", L"\\",
                              L"relative\\x", L""}) {
    EXPECT_FALSE(HasPathBelowRoot(root)) << root;
  }
  EXPECT_FALSE(HasPathBelowRoot(nullptr));
  for (const wchar_t* below : {L"C:\\x", L"C:/x", L"C:\\x\\", L"C:/x/y/", L"\\\\server\\share\\x"}) {
    EXPECT_TRUE(HasPathBelowRoot(below)) << below;
  }
  const std::wstring too_long = L"C:\\" + std::wstring(300, L'a');
  EXPECT_FALSE(HasPathBelowRoot(too_long.c_str()));
  EXPECT_FALSE(IsInstallDir(nullptr));
  EXPECT_FALSE(IsInstallDir(L""));
  EXPECT_FALSE(IsInstallDir(L"C:\\vireo-path-check-does-not-exist"));
  EXPECT_FALSE(IsInstallDir(too_long.c_str()));
}

}  // namespace
}  // namespace vireo
