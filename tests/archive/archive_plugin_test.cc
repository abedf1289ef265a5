#include "archive/archive_plugin.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/resource_file.h"
#include "support/scoped_handle.h"
#include "support/temp_file.h"
#include "tests/archive/archive_test_env.h"
#include "tests/test_support/scoped_env.h"

namespace vireo::test {
namespace {

using ArchivePluginTest = ArchiveTest;

// The module goes into a file of its own in the temporary folder, while a foreign "7z.dll"
// there (held open by another program) stays untouched; a second load writes nothing, and
// unloading deletes the module's file.
TEST_F(ArchivePluginTest, ModuleFileBelongsToTheRunAlone) {
  const std::wstring foreign = temp_.Join(L"7z.dll");
  ASSERT_TRUE(WriteFileBytes(foreign, "someone else's module"));
  const ScopedFile held(::CreateFileW(foreign.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
  ASSERT_TRUE(held);

  Load();
  const std::wstring module = GetArchiveModulePath();
  EXPECT_EQ(module.rfind(temp_.path() + L"\\", 0), 0u) << testing::PrintToString(module);
  EXPECT_TRUE(IsTempFileName(module.substr(temp_.path().size() + 1), kArchiveTempPrefix));
  const CreateObjectFunc entry = GetArchiveCreateEntry();
  ASSERT_NE(entry, nullptr);

  // Point the temporary folder elsewhere: a second write would show up there.
  const std::wstring other = temp_.Join(L"other");
  ASSERT_TRUE(MakeDirs(other));
  {
    const ScopedTempFolderEnv other_env(other);
    ASSERT_TRUE(other_env.ok());
    ASSERT_TRUE(LoadArchivePlugin(::GetModuleHandleW(nullptr), L"PACKAGE", L"IDR_DLL_7Z"));
    EXPECT_TRUE(ListFolder(other).empty());
    EXPECT_EQ(GetArchiveCreateEntry(), entry);
  }

  UnloadArchivePlugin();
  EXPECT_EQ(GetArchiveCreateEntry(), nullptr);
  EXPECT_FALSE(PathExists(module));
  EXPECT_EQ(ReadFileBytes(foreign), "someone else's module");
}

// A missing resource, one that is no module, or a compressed one that does not inflate
// whole fails the load and leaves no file behind; a later load still works.
TEST_F(ArchivePluginTest, FailedLoadsLeaveNothing) {
  EXPECT_FALSE(LoadArchivePlugin(::GetModuleHandleW(nullptr), L"PACKAGE", L"NO_SUCH_RESOURCE"));
  EXPECT_FALSE(LoadArchivePlugin(::GetModuleHandleW(nullptr), L"PACKAGE", L"NOT_A_MODULE"));
  EXPECT_FALSE(LoadArchivePlugin(::GetModuleHandleW(nullptr), L"PACKAGE", L"GZIP_TRUNCATED"));
  EXPECT_FALSE(LoadArchivePlugin(nullptr, L"PACKAGE", L"IDR_DLL_7Z"));
  EXPECT_EQ(GetArchiveCreateEntry(), nullptr);
  EXPECT_TRUE(ListFolder(temp_.path()).empty());
  Load();
  EXPECT_NE(GetArchiveCreateEntry(), nullptr);
}

}  // namespace
}  // namespace vireo::test
