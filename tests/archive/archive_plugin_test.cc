#include "archive/archive_plugin.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/scoped_handle.h"
#include "tests/archive/archive_test_env.h"
#include "tests/test_support/scoped_env.h"

namespace vireo::test {
namespace {

using ArchivePluginTest = ArchiveTest;

// The module lands as "7z.dll" in the temporary folder, and a second load writes no file at all.
TEST_F(ArchivePluginTest, SecondLoadDoesNotRewriteTheModule) {
  Load();
  ASSERT_TRUE(PathExists(temp_.Join(L"7z.dll")));
  const CreateObjectFunc entry = GetArchiveCreateEntry();
  ASSERT_NE(entry, nullptr);
  // Point the temporary folder elsewhere: a second write would show up there.
  const std::wstring other = temp_.Join(L"other");
  ASSERT_TRUE(MakeDirs(other));
  const ScopedTempFolderEnv other_env(other);
  ASSERT_TRUE(other_env.ok());
  ASSERT_TRUE(LoadArchivePlugin(::GetModuleHandleW(nullptr), L"PACKAGE", L"IDR_DLL_7Z"));
  EXPECT_FALSE(PathExists(other + L"\\7z.dll"));
  EXPECT_EQ(GetArchiveCreateEntry(), entry);
}

// Unloading forgets the entry; a missing resource or one that is no module fails the load.
TEST_F(ArchivePluginTest, UnloadAndFailedLoads) {
  Load();
  UnloadArchivePlugin();
  EXPECT_EQ(GetArchiveCreateEntry(), nullptr);
  EXPECT_FALSE(LoadArchivePlugin(::GetModuleHandleW(nullptr), L"PACKAGE", L"NO_SUCH_RESOURCE"));
  EXPECT_EQ(GetArchiveCreateEntry(), nullptr);
  EXPECT_FALSE(LoadArchivePlugin(nullptr, L"PACKAGE", L"IDR_DLL_7Z"));
  // After an unload the module is written and loaded again.
  EXPECT_TRUE(LoadArchivePlugin(::GetModuleHandleW(nullptr), L"PACKAGE", L"IDR_DLL_7Z"));
  EXPECT_NE(GetArchiveCreateEntry(), nullptr);
}

}  // namespace
}  // namespace vireo::test
