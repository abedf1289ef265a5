#include "support/saved_registry_value.h"

#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>

#include "support/scoped_handle.h"
#include "tests/test_support/registry_sandbox.h"

namespace vireo::test {
namespace {

constexpr wchar_t kKey[] = L"Software\\VireoSavedValueTest";

class SavedRegistryValueTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(hkcu_.ok()); }
  static void SetNumber(const wchar_t* name, DWORD number) {
    ASSERT_EQ(::SHSetValueW(HKEY_CURRENT_USER, kKey, name, REG_DWORD, &number, sizeof(number)), ERROR_SUCCESS);
  }
  static bool HasValue(const wchar_t* name) {
    return ::SHGetValueW(HKEY_CURRENT_USER, kKey, name, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  }
  static bool HasKey() {
    ScopedRegKey key;
    return ::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, key.receive()) == ERROR_SUCCESS;
  }
  ScopedHkcuOverride hkcu_;
};

// Only the saved value goes back: a changed one gets its bytes back and an added one goes,
// while the key and another program's values in it stay (a handle opened before still
// writes to the key).
TEST_F(SavedRegistryValueTest, RestoresTheValueAloneInPlace) {
  SetNumber(L"mine", 1);
  SetNumber(L"theirs", 5);
  const SavedRegistryValue mine = SavedRegistryValue::Save(HKEY_CURRENT_USER, kKey, L"mine");
  const SavedRegistryValue added = SavedRegistryValue::Save(HKEY_CURRENT_USER, kKey, L"added");
  ASSERT_TRUE(mine.ok() && mine.existed());
  ASSERT_TRUE(added.ok() && !added.existed());
  SetNumber(L"mine", 2);
  SetNumber(L"added", 3);
  ScopedRegKey held;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, held.receive()), ERROR_SUCCESS);

  EXPECT_EQ(mine.Restore(), ERROR_SUCCESS);
  EXPECT_EQ(added.Restore(), ERROR_SUCCESS);
  DWORD number = 0;
  DWORD size = sizeof(number);
  ASSERT_EQ(::SHGetValueW(HKEY_CURRENT_USER, kKey, L"mine", nullptr, &number, &size), ERROR_SUCCESS);
  EXPECT_EQ(number, 1u);
  EXPECT_FALSE(HasValue(L"added"));
  EXPECT_TRUE(HasValue(L"theirs"));
  EXPECT_EQ(::RegSetValueExW(held.get(), L"late", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                             sizeof(number)),
            ERROR_SUCCESS);
}

// A key that did not exist goes with the last value saved in it, but never while it holds
// something else.
TEST_F(SavedRegistryValueTest, CreatedKeyGoesOnlyWhenEmpty) {
  const SavedRegistryValue first = SavedRegistryValue::Save(HKEY_CURRENT_USER, kKey, L"first");
  const SavedRegistryValue second = SavedRegistryValue::Save(HKEY_CURRENT_USER, kKey, L"second");
  SetNumber(L"first", 1);
  SetNumber(L"second", 2);
  EXPECT_EQ(first.Restore(), ERROR_SUCCESS);
  EXPECT_TRUE(HasKey());
  EXPECT_EQ(second.Restore(), ERROR_SUCCESS);
  EXPECT_FALSE(HasKey());

  SetNumber(L"first", 1);
  SetNumber(L"other", 9);
  EXPECT_EQ(first.Restore(), ERROR_SUCCESS);
  EXPECT_TRUE(HasValue(L"other"));
  ::SHDeleteKeyW(HKEY_CURRENT_USER, kKey);
}

}  // namespace
}  // namespace vireo::test
