#include "support/temp_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_env.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo::test {
namespace {

// Only names MakeTempFilePath can make count: the prefix's first three characters, one to
// four hexadecimal digits, ".tmp".
TEST(TempFileTest, NamesOfTheGivenPrefix) {
  const struct {
    const wchar_t* name;
    bool ours;
  } cases[] = {
      {L"xsc1.tmp", true},   {L"XSCbeef.TMP", true}, {L"x7z0A9f.tmp", true}, {L"xsc.tmp", false},
      {L"xsc12345.tmp", false}, {L"xscg1.tmp", false}, {L"xsc1.tmpx", false}, {L"xs1.tmp", false},
      {L"7z.dll", false},    {L"abc1.tmp", false},
  };
  for (const auto& c : cases) {
    const bool ours = IsTempFileName(c.name, L"xsc") || IsTempFileName(c.name, L"x7z");
    EXPECT_EQ(ours, c.ours) << testing::PrintToString(std::wstring(c.name));
  }
}

// Leftovers of those prefixes go, folders with their contents; every other entry stays.
TEST(TempFileTest, LeftoversOfTheGivenPrefixesGo) {
  ScopedTempDir temp;
  const ScopedTempFolderEnv env(temp.path());
  ASSERT_TRUE(env.ok());
  ASSERT_TRUE(MakeDirs(temp.Join(L"x7z2")) && MakeDirs(temp.Join(L"x7z3.tmp")));
  ASSERT_TRUE(WriteFileBytes(temp.Join(L"xsc1A.tmp"), "package"));
  ASSERT_TRUE(WriteFileBytes(temp.Join(L"x7z2\\chrome.7z"), "work"));
  ASSERT_TRUE(WriteFileBytes(temp.Join(L"x7z3.tmp\\chrome.7z"), "work"));
  ASSERT_TRUE(WriteFileBytes(temp.Join(L"abc4.tmp"), "someone else's"));
  ASSERT_TRUE(WriteFileBytes(temp.Join(L"7z.dll"), "someone else's"));
  RemoveTempLeftovers({L"xsc", L"x7z"});
  std::vector<std::wstring> names = ListFolder(temp.path());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"7z.dll", L"abc4.tmp", L"x7z2"}));
}

}  // namespace
}  // namespace vireo::test
