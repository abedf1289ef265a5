#include "support/file_aside.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

#include "tests/test_support/demo_browser.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

std::wstring AsideName(const wchar_t* root, const wchar_t* name, int n) {
  wchar_t buf[MAX_PATH];
  std::swprintf(buf, MAX_PATH, L"%ls%ls.d%02d", root, name, n);
  return buf;
}

// Files that are not in use are simply deleted, read-only ones included; a missing file is
// no error.
TEST(FileAsideTest, UnlockedFilesAreDeleted) {
  test::ScopedTempDir dir;
  const std::wstring plain = dir.Join(L"plain.exe");
  const std::wstring read_only = dir.Join(L"read_only.exe");
  ASSERT_TRUE(test::WriteFileBytes(plain, "MZ"));
  ASSERT_TRUE(test::WriteFileBytes(read_only, "MZ"));
  ASSERT_TRUE(::SetFileAttributesW(read_only.c_str(), FILE_ATTRIBUTE_READONLY));
  DeleteFileOrRenameAside(plain.c_str());
  DeleteFileOrRenameAside(read_only.c_str());
  DeleteFileOrRenameAside(dir.Join(L"missing.exe").c_str());
  DeleteFileOrRenameAside(nullptr);
  EXPECT_FALSE(test::PathExists(plain));
  EXPECT_FALSE(test::PathExists(read_only));
}

// A running executable is moved to the volume root as "<name>.dNN"; a stale name already
// there is reused (deleted first) rather than skipped.
TEST(FileAsideTest, RunningExecutableIsMovedToTheVolumeRoot) {
  test::ScopedTempDir dir;
  const std::wstring exe = dir.Join(L"new_vireo.exe");
  ASSERT_TRUE(test::CopyProgram(test::DemoBrowserPath(), exe));
  // A stale leftover in the first slot (not in use) must not push the file to the next one.
  const std::wstring d00 = AsideName(L"C:\\", L"new_vireo.exe", 0);
  ASSERT_TRUE(test::WriteFileBytes(d00, "stale"));

  test::Child browser = test::StartBrowser(exe);
  ASSERT_TRUE(browser.valid());
  if (::DeleteFileW(exe.c_str()) || ::GetLastError() != ERROR_ACCESS_DENIED) {
    test::EndChild(browser);
    ::DeleteFileW(d00.c_str());
    GTEST_SKIP() << "this system does not lock a running executable against deletion";
  }
  DeleteFileOrRenameAside(exe.c_str());
  EXPECT_FALSE(test::PathExists(exe));
  EXPECT_TRUE(test::IsRunning(browser));
  const std::string moved = test::ReadFileBytes(d00);
  EXPECT_EQ(moved, test::ReadFileBytes(test::DemoBrowserPath()));
  test::EndChild(browser);
  ::DeleteFileW(d00.c_str());
}

}  // namespace
}  // namespace vireo
