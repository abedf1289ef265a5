#include "support/directory_util.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "support/scoped_handle.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

// Only components followed by a separator are created; a file in the way becomes a folder;
// roots, empty and over-long paths are answered without touching anything.
TEST(DirectoryUtilTest, CreateDirectoryPath) {
  test::ScopedTempDir dir;
  const std::wstring base = dir.path();
  EXPECT_TRUE(CreateDirectoryPath((base + L"\\a\\b\\c").c_str()));
  EXPECT_TRUE(test::IsDirectory(base + L"\\a\\b"));
  EXPECT_FALSE(test::PathExists(base + L"\\a\\b\\c"));
  EXPECT_TRUE(CreateDirectoryPath((base + L"\\a\\b\\c\\").c_str()));
  EXPECT_TRUE(test::IsDirectory(base + L"\\a\\b\\c"));
  EXPECT_TRUE(CreateDirectoryPath((base + L"/s1/s2/").c_str()));
  EXPECT_TRUE(test::IsDirectory(base + L"\\s1\\s2"));

  ASSERT_TRUE(test::WriteFileBytes(base + L"\\f", "in the way"));
  ASSERT_TRUE(::SetFileAttributesW((base + L"\\f").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(CreateDirectoryPath((base + L"\\f\\g\\").c_str()));
  EXPECT_TRUE(test::IsDirectory(base + L"\\f\\g"));

  EXPECT_TRUE(CreateDirectoryPath(L"C:\\"));
  EXPECT_FALSE(CreateDirectoryPath(L""));
  EXPECT_FALSE(CreateDirectoryPath(nullptr));
  const std::wstring too_long = base + L"\\" + std::wstring(300, L'z') + L"\\";
  EXPECT_FALSE(CreateDirectoryPath(too_long.c_str()));
  EXPECT_FALSE(EnsureDirectory(L""));
}

// Read-only copies are overwritten and left writable; a locked target file fails the copy
// while the other entries are still copied; subfolders are created on the way.
TEST(DirectoryUtilTest, CopyTreeOverwritesAndGoesOnAfterFailures) {
  test::ScopedTempDir dir;
  const std::wstring src = dir.Join(L"src");
  ASSERT_TRUE(test::MakeDirs(src + L"\\sub"));
  ASSERT_TRUE(test::WriteFileBytes(src + L"\\a.txt", "new a"));
  ASSERT_TRUE(test::WriteFileBytes(src + L"\\b.txt", "new b"));
  ASSERT_TRUE(test::WriteFileBytes(src + L"\\sub\\c.txt", "new c"));
  ASSERT_TRUE(::SetFileAttributesW((src + L"\\sub\\c.txt").c_str(), FILE_ATTRIBUTE_READONLY));

  const std::wstring dst = dir.Join(L"parent\\dst");
  EXPECT_TRUE(CopyTree(src.c_str(), dst.c_str()));
  EXPECT_EQ(test::ReadFileBytes(dst + L"\\sub\\c.txt"), "new c");
  EXPECT_EQ(::GetFileAttributesW((dst + L"\\sub\\c.txt").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);

  ASSERT_TRUE(test::WriteFileBytes(src + L"\\a.txt", "newer a"));
  ASSERT_TRUE(test::WriteFileBytes(src + L"\\b.txt", "newer b"));
  ASSERT_TRUE(::SetFileAttributesW((dst + L"\\b.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  {
    ScopedFile locked(::CreateFileW((dst + L"\\a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked);
    EXPECT_FALSE(CopyTree(src.c_str(), dst.c_str()));
  }
  EXPECT_EQ(test::ReadFileBytes(dst + L"\\a.txt"), "new a");
  EXPECT_EQ(test::ReadFileBytes(dst + L"\\b.txt"), "newer b");
  EXPECT_EQ(::GetFileAttributesW((dst + L"\\b.txt").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);

  EXPECT_FALSE(CopyTree(dir.Join(L"missing").c_str(), dst.c_str()));
  EXPECT_FALSE(CopyTree(nullptr, dst.c_str()));
}

}  // namespace
}  // namespace vireo
