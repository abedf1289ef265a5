#include "support/dll_search.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo::test {
namespace {

// A DLL planted in the current folder (where a downloaded installer usually runs) is what a
// bare name loads until the search is restricted; afterwards only System32 answers.
TEST(DllSearchTest, BareNamesNoLongerReachOtherFolders) {
  ScopedTempDir dir;
  ASSERT_TRUE(::CopyFileW(BuildPath("payload_stub_dll.dll").c_str(), dir.Join(L"planted.dll").c_str(), FALSE));
  wchar_t previous[MAX_PATH] = {};
  ASSERT_GT(::GetCurrentDirectoryW(MAX_PATH, previous), 0u);
  ASSERT_TRUE(::SetCurrentDirectoryW(dir.path().c_str()));

  HMODULE planted = ::LoadLibraryW(L"planted.dll");
  ASSERT_NE(planted, nullptr);
  ::FreeLibrary(planted);
  EXPECT_TRUE(RestrictDllSearchToSystem32());
  planted = ::LoadLibraryW(L"planted.dll");
  EXPECT_EQ(planted, nullptr);
  if (planted) ::FreeLibrary(planted);
  HMODULE system = ::LoadLibraryW(L"version.dll");
  EXPECT_NE(system, nullptr);
  if (system) ::FreeLibrary(system);
  ::SetCurrentDirectoryW(previous);
}

}  // namespace
}  // namespace vireo::test
