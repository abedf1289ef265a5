#include "support/tree_delete.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "tests/test_support/directory_link.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

// Roots in every spelling are refused before anything is listed; a folder below one is
// deleted whether written with "\" or "/" and with or without a trailing separator.
TEST(TreeDeleteTest, RefusesRootsAndDeletesFoldersBelowThem) {
  for (const wchar_t* root : {L"C:\\", L"C:/", L"C:", L"\\\\server\\share", L"\\\\server\\share\\", L"", L"x"}) {
    EXPECT_FALSE(DeleteTree(root)) << root;
  }
  EXPECT_FALSE(DeleteTree(nullptr));
  const std::wstring too_long = L"C:\\" + std::wstring(300, L'a');
  EXPECT_FALSE(DeleteTree(too_long.c_str()));

  test::ScopedTempDir dir;
  for (const wchar_t* spelling : {L"\\a", L"/b/", L"\\c\\"}) {
    std::wstring name = dir.path() + spelling;
    std::wstring real = dir.path() + L"\\" + std::wstring(1, spelling[1]);
    ASSERT_TRUE(test::MakeDirs(real + L"\\sub"));
    ASSERT_TRUE(test::WriteFileBytes(real + L"\\sub\\f.txt", "x"));
    EXPECT_TRUE(DeleteTree(name.c_str())) << name;
    EXPECT_FALSE(test::PathExists(real)) << name;
  }
  EXPECT_FALSE(DeleteTree(dir.Join(L"missing").c_str()));
}

// Read-only files and folders deep in the tree do not stop the deletion.
TEST(TreeDeleteTest, DeletesReadOnlyEntries) {
  test::ScopedTempDir dir;
  const std::wstring tree = dir.Join(L"tree");
  ASSERT_TRUE(test::MakeDirs(tree + L"\\a\\b"));
  for (const wchar_t* f : {L"\\top.txt", L"\\a\\mid.txt", L"\\a\\b\\deep.txt"}) {
    ASSERT_TRUE(test::WriteFileBytes(tree + f, "x"));
    ASSERT_TRUE(::SetFileAttributesW((tree + f).c_str(), FILE_ATTRIBUTE_READONLY));
  }
  ASSERT_TRUE(::SetFileAttributesW((tree + L"\\a\\b").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
  std::wstring work = tree;
  EXPECT_TRUE(DeleteTreeRecursive(work));
  EXPECT_EQ(work, tree);  // the caller's text is restored
  EXPECT_FALSE(test::PathExists(tree));
}

// A junction inside the tree is removed as a link; the folder it points to, outside the
// tree, keeps its contents.
TEST(TreeDeleteTest, DoesNotFollowJunctionsOutOfTheTree) {
  test::ScopedTempDir dir;
  const std::wstring outside = dir.Join(L"outside");
  ASSERT_TRUE(test::MakeDirs(outside));
  ASSERT_TRUE(test::WriteFileBytes(outside + L"\\keep.txt", "keep"));
  const std::wstring tree = dir.Join(L"tree");
  ASSERT_TRUE(test::MakeDirs(tree));
  ASSERT_TRUE(test::WriteFileBytes(tree + L"\\own.txt", "x"));
  const std::wstring why = test::MakeDirectoryLink(tree + L"\\link", outside);
  if (!why.empty()) GTEST_SKIP() << std::string(why.begin(), why.end());
  // The deletion sees entries through the directory listing, so that is where the link
  // must show as a reparse point.
  WIN32_FIND_DATAW data;
  HANDLE find = ::FindFirstFileW((tree + L"\\link").c_str(), &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  ::FindClose(find);
  if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    GTEST_SKIP() << "the link was created but the listing shows no reparse point (attributes 0x" << std::hex
                 << data.dwFileAttributes << ", GetFileAttributesW 0x"
                 << ::GetFileAttributesW((tree + L"\\link").c_str()) << ")";
  }
  ASSERT_TRUE(test::PathExists(tree + L"\\link\\keep.txt"));

  const bool deleted = DeleteTree(tree.c_str());
  EXPECT_EQ(test::ReadFileBytes(outside + L"\\keep.txt"), "keep");
  EXPECT_FALSE(test::PathExists(tree + L"\\own.txt"));
  if (!deleted && test::PathExists(tree + L"\\link")) {
    EXPECT_TRUE(test::RemoveDirectoryLink(tree + L"\\link"));
    GTEST_SKIP() << "Wine cannot remove a Unix directory link through RemoveDirectoryW or DeleteFileW; "
                    "only the untouched target is verified here";
  }
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(test::PathExists(tree));
}

}  // namespace
}  // namespace vireo
