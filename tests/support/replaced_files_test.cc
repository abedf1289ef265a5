#include "support/replaced_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/scoped_handle.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo::test {
namespace {

// Entries are moved into the backup folder (nothing at a path is nothing to keep) and come
// back over whatever took their place, an empty folder included, under their own spelling;
// the backup folder then goes, and a second Restore does nothing.
TEST(ReplacedFilesTest, SetAsideAndRestore) {
  ScopedTempDir dir;
  ReplacedFiles replaced(dir.Join(L"backup"));
  ASSERT_TRUE(WriteFileBytes(dir.Join(L"Main.EXE"), "old main"));
  ASSERT_TRUE(WriteFileBytes(dir.Join(L"data.bin"), "old data"));
  EXPECT_TRUE(replaced.SetAside(dir.Join(L"missing.txt")));
  EXPECT_TRUE(replaced.SetAside(dir.Join(L"main.exe")));
  EXPECT_TRUE(replaced.SetAside(dir.Join(L"data.bin")));
  EXPECT_EQ(replaced.size(), 2u);
  EXPECT_FALSE(PathExists(dir.Join(L"data.bin")));
  EXPECT_EQ(ListFolder(dir.Join(L"backup")).size(), 2u);

  ASSERT_TRUE(WriteFileBytes(dir.Join(L"main.exe"), "new main"));
  ASSERT_TRUE(MakeDirs(dir.Join(L"data.bin")));
  EXPECT_TRUE(replaced.Restore().empty());
  std::vector<std::wstring> names = ListFolder(dir.path());
  EXPECT_EQ(names.size(), 2u);
  EXPECT_NE(std::find(names.begin(), names.end(), L"Main.EXE"), names.end());
  EXPECT_EQ(ReadFileBytes(dir.Join(L"main.exe")), "old main");
  EXPECT_EQ(ReadFileBytes(dir.Join(L"data.bin")), "old data");
  EXPECT_EQ(replaced.size(), 0u);
  replaced.Restore();
  EXPECT_EQ(ReadFileBytes(dir.Join(L"data.bin")), "old data");
}

// A file the system refuses to move (held open without delete sharing) is refused and stays;
// without a backup folder every existing entry is refused.
TEST(ReplacedFilesTest, RefusedEntriesStayInPlace) {
  ScopedTempDir dir;
  const std::wstring busy = dir.Join(L"busy.dll");
  ASSERT_TRUE(WriteFileBytes(busy, "in use"));
  ReplacedFiles replaced(dir.Join(L"backup"));
  {
    const ScopedFile held(
        ::CreateFileW(busy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_FALSE(replaced.SetAside(busy));
  }
  EXPECT_EQ(ReadFileBytes(busy), "in use");
  EXPECT_EQ(replaced.size(), 0u);
  ReplacedFiles nowhere;
  EXPECT_FALSE(nowhere.SetAside(busy));
  EXPECT_TRUE(PathExists(busy));
}

// A saved copy that cannot go back (held open by another program) never costs the file in
// its place: both stay, the failure names the path and the system's error, the entry stays
// listed, and a later Restore finishes the job.
TEST(ReplacedFilesTest, FailedRestoreKeepsBothCopies) {
  ScopedTempDir dir;
  const std::wstring path = dir.Join(L"chrome.dll");
  ASSERT_TRUE(WriteFileBytes(path, "old"));
  ReplacedFiles replaced(dir.Join(L"backup"));
  ASSERT_TRUE(replaced.SetAside(path));
  ASSERT_TRUE(WriteFileBytes(path, "new"));
  const std::vector<std::wstring> backups = ListFolder(dir.Join(L"backup"));
  ASSERT_EQ(backups.size(), 1u);
  {
    const std::wstring backup = dir.Join(L"backup\\" + backups[0]);
    const ScopedFile held(
        ::CreateFileW(backup.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    const std::vector<RestoreFailure> failures = replaced.Restore();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].path, path);
    EXPECT_NE(failures[0].error, 0u);
    EXPECT_EQ(ReadFileBytes(path), "new");
    EXPECT_EQ(ReadFileBytes(backup), "old");
    EXPECT_EQ(replaced.size(), 1u);
  }
  EXPECT_TRUE(replaced.Restore().empty());
  EXPECT_EQ(ReadFileBytes(path), "old");
  EXPECT_FALSE(PathExists(dir.Join(L"backup")));
}

}  // namespace
}  // namespace vireo::test
