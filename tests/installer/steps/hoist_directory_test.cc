#include "installer/steps/hoist_directory.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/replaced_files.h"
#include "support/scoped_handle.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

using test::IsDirectory;
using test::ListFolder;
using test::MakeDirs;
using test::ReadFileBytes;
using test::WriteFileBytes;

// The contents of every file in |folder|, sorted.
std::vector<std::string> FileContents(const std::wstring& folder) {
  std::vector<std::string> contents;
  for (const std::wstring& name : ListFolder(folder)) contents.push_back(ReadFileBytes(folder + L"\\" + name));
  std::sort(contents.begin(), contents.end());
  return contents;
}

// Hoisting merges folders and moves everything else into place; each file in the way (a
// read-only one, and one where a folder arrives) is moved into the backup, not lost.
TEST(HoistDirectoryTest, MergesAndKeepsWhatItReplaces) {
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
  ReplacedFiles replaced(dir.Join(L"bak"));
  EXPECT_TRUE(HoistDirectory(src.c_str(), dst.c_str(), &replaced));
  EXPECT_EQ(ReadFileBytes(dst + L"\\file.txt"), "new");
  EXPECT_EQ(ReadFileBytes(dst + L"\\shared\\deeper\\f.txt"), "new");
  EXPECT_EQ(ReadFileBytes(dst + L"\\shared\\kept.txt"), "kept");
  EXPECT_TRUE(IsDirectory(dst + L"\\was_file"));
  EXPECT_TRUE(ListFolder(src).empty());
  EXPECT_EQ(replaced.size(), 2u);
  EXPECT_EQ(FileContents(dir.Join(L"bak")), (std::vector<std::string>{"file in the way", "old"}));

  EXPECT_FALSE(HoistDirectory(dir.Join(L"missing").c_str(), dst.c_str(), &replaced));
  EXPECT_FALSE(HoistDirectory(L"", dst.c_str(), &replaced));
  EXPECT_FALSE(HoistDirectory(src.c_str(), dst.c_str(), nullptr));
}

// A file in the way that cannot be moved aside (held open without delete sharing) is not
// replaced: its new copy stays in the source, the other entries still move, and the answer
// is false.
TEST(HoistDirectoryTest, FileThatCannotBeKeptIsNotReplaced) {
  test::ScopedTempDir dir;
  const std::wstring src = dir.Join(L"src");
  const std::wstring dst = dir.Join(L"dst");
  ASSERT_TRUE(MakeDirs(src));
  ASSERT_TRUE(MakeDirs(dst));
  ASSERT_TRUE(WriteFileBytes(src + L"\\held.txt", "new"));
  ASSERT_TRUE(WriteFileBytes(src + L"\\other.txt", "new"));
  ASSERT_TRUE(WriteFileBytes(dst + L"\\held.txt", "old"));
  const ScopedFile held(::CreateFileW((dst + L"\\held.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  ReplacedFiles replaced(dir.Join(L"bak"));
  EXPECT_FALSE(HoistDirectory(src.c_str(), dst.c_str(), &replaced));
  EXPECT_EQ(ReadFileBytes(dst + L"\\held.txt"), "old");
  EXPECT_EQ(ReadFileBytes(src + L"\\held.txt"), "new");
  EXPECT_EQ(ReadFileBytes(dst + L"\\other.txt"), "new");
  EXPECT_EQ(replaced.size(), 0u);
}

}  // namespace
}  // namespace vireo
