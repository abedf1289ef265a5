#include "installer/steps/created_entries.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

using test::IsDirectory;
using test::MakeDirs;
using test::PathExists;
using test::WriteFileBytes;

// The roll-back never removes a name with "..", a rooted or drive path, or anything outside its folder.
TEST(RemoveCreatedEntriesTest, RefusesEscapingNames) {
  test::ScopedTempDir dir;
  const std::wstring root = dir.Join(L"root");
  ASSERT_TRUE(MakeDirs(root + L"\\sub"));
  ASSERT_TRUE(WriteFileBytes(root + L"\\sub\\new.txt", "x"));
  ASSERT_TRUE(WriteFileBytes(root + L"\\a..b.txt", "x"));
  ASSERT_TRUE(WriteFileBytes(dir.Join(L"outside.txt"), "x"));
  const std::wstring absolute = dir.Join(L"outside.txt");
  RemoveCreatedEntries(root.c_str(), {L"..\\outside.txt", L"sub\\..\\..\\outside.txt", L"a..b.txt", absolute,
                                      L"\\outside.txt", L"sub", L"sub\\new.txt"});
  EXPECT_TRUE(PathExists(dir.Join(L"outside.txt")));
  EXPECT_TRUE(PathExists(root + L"\\a..b.txt"));
  EXPECT_FALSE(PathExists(root + L"\\sub"));
  // A folder that still holds an unlisted entry stays.
  ASSERT_TRUE(MakeDirs(root + L"\\keep"));
  ASSERT_TRUE(WriteFileBytes(root + L"\\keep\\unlisted.txt", "x"));
  RemoveCreatedEntries(root.c_str(), {L"keep"});
  EXPECT_TRUE(PathExists(root + L"\\keep\\unlisted.txt"));
}

// A drive root is refused outright, however it is spelled: an empty folder directly in the
// root, which the roll-back would otherwise remove, stays.
TEST(RemoveCreatedEntriesTest, RefusesADriveRoot) {
  test::ScopedTempDir dir;
  const std::wstring drive = dir.path().substr(0, 2);  // "C:"
  const std::wstring name = L"vireo_root_guard_" + std::to_wstring(::GetCurrentProcessId());
  const std::wstring folder = drive + L"\\" + name;
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr)) << ::GetLastError();
  for (const std::wstring& root : {drive + L"\\", drive + L"/", drive}) {
    RemoveCreatedEntries(root.c_str(), {name});
    EXPECT_TRUE(IsDirectory(folder)) << std::string(root.begin(), root.end());
  }
  // The folder itself was removable all along.
  EXPECT_TRUE(::RemoveDirectoryW(folder.c_str()));
}

}  // namespace
}  // namespace vireo
