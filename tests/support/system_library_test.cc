#include "support/system_library.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo::test {
namespace {

std::wstring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameW(module, path, MAX_PATH);
  return std::wstring(path, n);
}

std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH] = {};
  const UINT n = ::GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder, n);
}

// The current folder is where a downloaded installer usually runs: a library that exists
// there and not in System32 stays unloaded, even though the process's own search has not
// been restricted; a system library comes from System32 and answers its exports.
TEST(SystemLibraryTest, LoadsFromSystem32AndNowhereElse) {
  ScopedTempDir dir;
  ASSERT_TRUE(::CopyFileW(BuildPath("payload_stub_dll.dll").c_str(), dir.Join(L"planted_only_here.dll").c_str(),
                          FALSE));
  wchar_t previous[MAX_PATH] = {};
  ASSERT_GT(::GetCurrentDirectoryW(MAX_PATH, previous), 0u);
  ASSERT_TRUE(::SetCurrentDirectoryW(dir.path().c_str()));
  HMODULE by_bare_name = ::LoadLibraryW(L"planted_only_here.dll");
  ASSERT_NE(by_bare_name, nullptr) << "the bare name should find the planted file";
  ::FreeLibrary(by_bare_name);

  const SystemLibrary planted(L"planted_only_here.dll");
  ::SetCurrentDirectoryW(previous);
  EXPECT_FALSE(planted.loaded());
  EXPECT_EQ(planted.error(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(planted.Entry<int (*)()>("VireoPayloadStub"), nullptr);

  const SystemLibrary version(L"version.dll");
  ASSERT_TRUE(version.loaded());
  EXPECT_EQ(version.error(), 0u);
  EXPECT_EQ(::CompareStringOrdinal(ModulePath(version.get()).c_str(), -1, (SystemFolder() + L"\\version.dll").c_str(),
                                   -1, TRUE),
            CSTR_EQUAL);
  EXPECT_NE(version.Entry<decltype(&::GetFileVersionInfoSizeW)>("GetFileVersionInfoSizeW"), nullptr);
  EXPECT_EQ(version.Entry<void (*)()>("NoSuchExportAnywhere"), nullptr);
}

TEST(SystemLibraryTest, RefusesAnythingButAPlainFileName) {
  const struct {
    std::wstring name;
    DWORD error;
  } cases[] = {
      {L"", ERROR_INVALID_NAME},
      {L"..\\version.dll", ERROR_INVALID_NAME},
      {L"sub/version.dll", ERROR_INVALID_NAME},
      {L"C:version.dll", ERROR_INVALID_NAME},
      {L"..", ERROR_INVALID_NAME},
      {std::wstring(300, L'a') + L".dll", ERROR_FILENAME_EXCED_RANGE},
  };
  for (const auto& c : cases) {
    DWORD error = 0;
    EXPECT_TRUE(SystemLibraryPath(c.name.c_str(), &error).empty()) << c.name.substr(0, 40);
    EXPECT_EQ(error, c.error) << c.name.substr(0, 40);
    const SystemLibrary library(c.name.c_str());
    EXPECT_FALSE(library.loaded()) << c.name.substr(0, 40);
    EXPECT_EQ(library.error(), c.error) << c.name.substr(0, 40);
  }
  EXPECT_FALSE(SystemLibrary(nullptr).loaded());
}

}  // namespace
}  // namespace vireo::test
