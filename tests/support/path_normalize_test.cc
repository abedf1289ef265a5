#include "support/path_normalize.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/fixed_path.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

// The long form exists only for an existing path and only when it fits the caller's buffer:
// 260 characters (terminator included) is one less than the 261 of a path buffer.
TEST(PathNormalizeTest, LongFormNeedsAnExistingPathThatFits) {
  test::ScopedTempDir dir;
  const std::wstring folder = dir.Join(L"Long Folder Name");
  ASSERT_TRUE(test::MakeDirs(folder));
  EXPECT_EQ(LongPathForm(folder.c_str(), kPathCapacity), folder);
  EXPECT_EQ(LongPathForm(folder.c_str(), folder.size() + 1), folder);
  EXPECT_EQ(LongPathForm(folder.c_str(), folder.size()), L"");
  EXPECT_EQ(LongPathForm(dir.Join(L"missing").c_str(), kPathCapacity), L"");
  EXPECT_EQ(LongPathForm(folder.c_str(), kPathCapacity + 1), L"");
  EXPECT_EQ(LongPathForm(nullptr, kPathCapacity), L"");

  wchar_t short_form[MAX_PATH] = {};
  const DWORD n = ::GetShortPathNameW(folder.c_str(), short_form, MAX_PATH);
  if (n > 0 && n < MAX_PATH && folder != short_form) {
    EXPECT_EQ(NormalizePath(short_form), folder);
  }
}

// Normalised text: backslashes only, one trailing backslash gone except on a drive root;
// a missing path keeps its text; empty and over-long input give nothing.
TEST(PathNormalizeTest, NormalisedText) {
  const struct {
    std::wstring in;
    std::wstring out;
  } rows[] = {
      {L"C:/no/such/folder/", L"C:\\no\\such\\folder"},
      {L"C:\\no\\such\\folder\\\\", L"C:\\no\\such\\folder\\"},
      {L"C:\\", L"C:\\"},
      {L"", L""},
      {L"C:\\" + std::wstring(258, L'x'), L""},
  };
  for (const auto& row : rows) EXPECT_EQ(NormalizePath(row.in), row.out) << row.in.size();
  EXPECT_EQ(NormalizePath(static_cast<const wchar_t*>(nullptr)), L"");
}

// Only whole "." or ".." components count, with either separator.
TEST(PathNormalizeTest, DotComponents) {
  for (const wchar_t* path : {L"C:\\a\\..\\b", L"C:/a/./b", L"..", L"C:\\a\\.."}) {
    EXPECT_TRUE(HasDotComponent(path)) << path;
  }
  for (const wchar_t* path : {L"C:\\a..b\\c", L"C:\\.hidden", L"C:\\a\\b.", L""}) {
    EXPECT_FALSE(HasDotComponent(path)) << path;
  }
}

}  // namespace
}  // namespace vireo
