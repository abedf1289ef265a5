#include "installer/steps/folder_snapshot.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

using test::MakeDirs;
using test::WriteFileBytes;

// A snapshot lists files and folders recursively, folding A-Z case; a missing folder is empty.
TEST(FolderSnapshotTest, ListsRecursivelyCaseInsensitive) {
  test::ScopedTempDir dir;
  ASSERT_TRUE(MakeDirs(dir.Join(L"A\\b")));
  ASSERT_TRUE(WriteFileBytes(dir.Join(L"A\\b\\c.txt"), "x"));
  ASSERT_TRUE(WriteFileBytes(dir.Join(L"top.txt"), "x"));
  const EntrySet set = SnapshotFolder(dir.path().c_str());
  EXPECT_EQ(std::vector<std::wstring>(set.begin(), set.end()),
            (std::vector<std::wstring>{L"A", L"A\\b", L"A\\b\\c.txt", L"top.txt"}));
  EXPECT_EQ(set.count(L"a\\B\\C.TXT"), 1u);
  EXPECT_TRUE(SnapshotFolder(dir.Join(L"missing").c_str()).empty());
  EXPECT_TRUE(SnapshotFolder(dir.Join(L"top.txt").c_str()).empty());
  EXPECT_TRUE(SnapshotFolder(nullptr).empty());
}

}  // namespace
}  // namespace vireo
