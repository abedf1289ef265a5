#include "support/saved_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo::test {
namespace {

// A saved file gets its bytes back over a changed (read-only) one; a path that was empty is
// emptied again; a folder cannot be saved and is then never touched.
TEST(SavedFileTest, RestoreReturnsThePathToItsSavedState) {
  ScopedTempDir dir;
  const std::wstring link = dir.Join(L"Vireo.lnk");
  ASSERT_TRUE(WriteFileBytes(link, std::string("old\0link", 8)));
  const SavedFile existing = SavedFile::Save(link);
  ASSERT_TRUE(existing.ok());
  EXPECT_TRUE(existing.existed());
  ASSERT_TRUE(WriteFileBytes(link, "new link, longer"));
  ASSERT_TRUE(::SetFileAttributesW(link.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(existing.Restore());
  EXPECT_EQ(ReadFileBytes(link), std::string("old\0link", 8));

  const SavedFile absent = SavedFile::Save(dir.Join(L"new.lnk"));
  ASSERT_TRUE(absent.ok());
  ASSERT_TRUE(WriteFileBytes(dir.Join(L"new.lnk"), "made by the run"));
  EXPECT_TRUE(absent.Restore());
  EXPECT_FALSE(PathExists(dir.Join(L"new.lnk")));

  ASSERT_TRUE(MakeDirs(dir.Join(L"folder.lnk")));
  const SavedFile folder = SavedFile::Save(dir.Join(L"folder.lnk"));
  EXPECT_FALSE(folder.ok());
  EXPECT_EQ(folder.error(), static_cast<unsigned long>(ERROR_DIRECTORY));
  EXPECT_FALSE(folder.Restore());
  EXPECT_TRUE(IsDirectory(dir.Join(L"folder.lnk")));
}

}  // namespace
}  // namespace vireo::test
