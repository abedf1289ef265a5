#include "installer/steps/app_user_model_id.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/user_sid.h"
#include "tests/test_support/scoped_env.h"

namespace vireo {
namespace {

constexpr wchar_t kSuffix[] = L"ZUKU7DOIX7E2ZZPG4ONZVKN5BY";

// Inside means the folder itself or below a backslash; a sibling that only begins with the
// folder's name is outside.
TEST(ShortcutWorkItemAppId, InsideFolderRule) {
  EXPECT_TRUE(IsPathInsideFolder(L"C:\\Program Files\\Vireo\\vireo.exe", L"C:\\Program Files"));
  EXPECT_TRUE(IsPathInsideFolder(L"c:\\program files\\Vireo\\vireo.exe", L"C:\\Program Files"));
  EXPECT_TRUE(IsPathInsideFolder(L"C:\\Program Files", L"C:\\Program Files"));
  EXPECT_FALSE(IsPathInsideFolder(L"C:\\Program Files Extra\\vireo.exe", L"C:\\Program Files"));
  EXPECT_FALSE(IsPathInsideFolder(L"C:\\Program Files (x86)\\vireo.exe", L"C:\\Program Files"));
  EXPECT_FALSE(IsPathInsideFolder(L"C:\\Program", L"C:\\Program Files"));
  EXPECT_FALSE(IsPathInsideFolder(L"C:\\x\\vireo.exe", L""));
}

// Program Files keeps the plain id; elsewhere the user suffix is appended, and only a
// suffix of exactly 26 characters counts.
TEST(ShortcutWorkItemAppId, BuildRules) {
  const std::vector<std::wstring> pf = {L"C:\\Program Files", L"C:\\Program Files (x86)"};
  EXPECT_EQ(BuildAppUserModelId(L"C:\\Program Files (x86)\\Vireo\\vireo.exe", pf, kSuffix), L"Vireo");
  EXPECT_EQ(BuildAppUserModelId(L"C:\\Users\\a\\AppData\\Local\\Vireo\\Application\\vireo.exe", pf, kSuffix),
            std::wstring(L"Vireo.") + kSuffix);
  EXPECT_EQ(BuildAppUserModelId(L"C:\\Program Files Extra\\vireo.exe", pf, kSuffix),
            std::wstring(L"Vireo.") + kSuffix);
  EXPECT_EQ(BuildAppUserModelId(L"D:\\Apps\\vireo.exe", pf, L"SHORT"), L"Vireo");
  EXPECT_EQ(BuildAppUserModelId(L"D:\\Apps\\vireo.exe", {}, L""), L"Vireo");
  // Spaces become underscores (a suffix never has any, but the rule covers the whole id).
  EXPECT_EQ(BuildAppUserModelId(L"D:\\vireo.exe", {}, L"ABCDEFGHIJKLM NOPQRSTUVWXY"),
            L"Vireo.ABCDEFGHIJKLM_NOPQRSTUVWXY");
}

// The per-user suffix is the Base32 MD5 of the SID text, the same on every call.
TEST(ShortcutWorkItemAppId, UserSuffixFromSid) {
  std::wstring sid;
  ASSERT_TRUE(GetCurrentUserSidString(&sid));
  const std::wstring suffix = ComputeUserAppIdSuffix();
  ASSERT_EQ(suffix.size(), 26u);
  EXPECT_EQ(suffix, ComputeUserAppIdSuffix());
  EXPECT_EQ(suffix.find_first_not_of(L"ABCDEFGHIJKLMNOPQRSTUVWXYZ234567"), std::wstring::npos);
  if (sid == L"S-1-5-21-0-0-0-1000") {  // Wine's account
    EXPECT_EQ(suffix, kSuffix);
  }
}

// The environment's Program Files folders decide, trailing backslashes ignored, over-long
// values skipped.
TEST(ShortcutWorkItemAppId, EnvironmentFolders) {
  test::ScopedEnvVar a(L"PROGRAMFILES", L"C:\\Apps\\\\");
  test::ScopedEnvVar b(L"PROGRAMFILES(X86)", std::wstring(300, L'x').c_str());
  test::ScopedEnvVar c(L"PROGRAMW6432", nullptr);
  const std::vector<std::wstring> folders = ReadProgramFilesFolders();
  ASSERT_EQ(folders.size(), 1u);
  EXPECT_EQ(folders[0], L"C:\\Apps");

  EXPECT_EQ(ComputeAppUserModelId(L"C:\\Apps\\Vireo\\vireo.exe"), L"Vireo");
  EXPECT_EQ(ComputeAppUserModelId(L"C:\\AppsOther\\Vireo\\vireo.exe"), L"Vireo." + ComputeUserAppIdSuffix());
}

// With the real environment, the local application-data folder gets the per-user id and a
// Program Files folder the plain one.
TEST(ShortcutWorkItemAppId, RealProgramFilesAndLocalAppData) {
  wchar_t pf[MAX_PATH] = {};
  ASSERT_GT(::GetEnvironmentVariableW(L"PROGRAMFILES", pf, MAX_PATH), 0u);
  EXPECT_EQ(ComputeAppUserModelId(std::wstring(pf) + L"\\Vireo\\Application\\vireo.exe"), L"Vireo");
  wchar_t local[MAX_PATH] = {};
  ASSERT_GT(::GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH), 0u);
  const std::wstring id = ComputeAppUserModelId(std::wstring(local) + L"\\Vireo\\Application\\vireo.exe");
  EXPECT_EQ(id, L"Vireo." + ComputeUserAppIdSuffix());
  EXPECT_EQ(id.size(), 32u);
}

}  // namespace
}  // namespace vireo
