#include "installer/steps/hoist_directory.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

using test::IsDirectory;
using test::ListFolder;
using test::MakeDirs;
using test::ReadFileBytes;
using test::WriteFileBytes;

// Hoisting merges folders, replaces files (read-only ones too) and replaces a file by a folder.
TEST(HoistDirectoryTest, MergesAndReplaces) {
  test::ScopedTempDir dir;
  const std::wstring src = dir.Join(L"src");
  const std::wstring dst = dir.Join(L"dst");
  ASSERT_TRUE(MakeDirs(src + L"\\shared\\deeper"));
  ASSERT_TRUE(MakeDirs(dst + L"\\shared"));
  ASSERT_TRUE(WriteFileBytes(src + L"\\shared\\deeper\\f.txt", "new"));
  ASSERT_TRUE(WriteFileBytes(src + L"\\file.txt", "new"));
  ASSERT_TRUE(MakeDirs(src + L"\\was_file"));
  ASSERT_TRUE(WriteFileBytes(dst + L"\\file.txt", "old"));
  ASSERT_TRUE(::SetFileAttributesW((dst + L"\\file.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(WriteFileBytes(dst + L"\\shared\\kept.txt", "kept"));
  ASSERT_TRUE(WriteFileBytes(dst + L"\\was_file", "file in the way"));
  EXPECT_TRUE(HoistDirectory(src.c_str(), dst.c_str()));
  EXPECT_EQ(ReadFileBytes(dst + L"\\file.txt"), "new");
  EXPECT_EQ(ReadFileBytes(dst + L"\\shared\\deeper\\f.txt"), "new");
  EXPECT_EQ(ReadFileBytes(dst + L"\\shared\\kept.txt"), "kept");
  EXPECT_TRUE(IsDirectory(dst + L"\\was_file"));
  EXPECT_TRUE(ListFolder(src).empty());
  EXPECT_FALSE(HoistDirectory(dir.Join(L"missing").c_str(), dst.c_str()));
  EXPECT_FALSE(HoistDirectory(L"", dst.c_str()));
}

}  // namespace
}  // namespace vireo
