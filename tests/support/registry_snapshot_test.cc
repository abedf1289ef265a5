#include "support/registry_snapshot.h"

#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>

#include "support/scoped_handle.h"
#include "tests/test_support/registry_sandbox.h"

namespace vireo::test {
namespace {

constexpr wchar_t kKey[] = L"Software\\VireoSnapshotTest";

void SetRaw(const std::wstring& key, const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
  ASSERT_EQ(::SHSetValueW(HKEY_CURRENT_USER, key.c_str(), name, type, data, bytes), ERROR_SUCCESS);
}

class RegistrySnapshotTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(hkcu_.ok()); }
  ScopedHkcuOverride hkcu_;
};

// Values of every type keep their exact bytes (a string stored without its terminator
// included) and sub-keys come back, while whatever was added since goes; the key itself is
// brought back in place, never removed (a handle opened before still writes to it).
TEST_F(RegistrySnapshotTest, RestorePutsTheKeyBackExactly) {
  const std::wstring key = kKey;
  const wchar_t unterminated[] = L"abc#";  // three characters counted, a guard behind them
  const unsigned char binary[] = {0, 1, 0, 2};
  const DWORD number = 7;
  SetRaw(key, nullptr, REG_SZ, unterminated, 3 * sizeof(wchar_t));
  SetRaw(key, L"bin", REG_BINARY, binary, sizeof(binary));
  SetRaw(key, L"num", REG_DWORD, &number, sizeof(number));
  SetRaw(key + L"\\Sub\\Deeper", L"x", REG_SZ, L"y", 2 * sizeof(wchar_t));
  const RegistryKeySnapshot before = RegistryKeySnapshot::Capture(HKEY_CURRENT_USER, key);
  ASSERT_TRUE(before.ok());
  ASSERT_TRUE(before.existed());

  ::SHDeleteValueW(HKEY_CURRENT_USER, kKey, L"bin");
  SetRaw(key, L"num", REG_SZ, L"changed", 8 * sizeof(wchar_t));
  SetRaw(key + L"\\Added", L"new", REG_DWORD, &number, sizeof(number));
  ScopedRegKey held;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, held.receive()), ERROR_SUCCESS);
  ASSERT_EQ(before.Restore(), ERROR_SUCCESS);
  ASSERT_EQ(::RegSetValueExW(held.get(), L"late", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                             sizeof(number)),
            ERROR_SUCCESS);
  ::RegDeleteValueW(held.get(), L"late");

  const RegistryKeySnapshot after = RegistryKeySnapshot::Capture(HKEY_CURRENT_USER, key);
  EXPECT_EQ(after.key(), before.key());
  DWORD type = 0, bytes = 0;
  ASSERT_EQ(::SHGetValueW(HKEY_CURRENT_USER, kKey, nullptr, &type, nullptr, &bytes), ERROR_SUCCESS);
  EXPECT_EQ(bytes, 3 * sizeof(wchar_t));
}

// A key that did not exist is removed again by Restore; one nested deeper than kMaxDepth
// cannot be captured, and such a capture restores nothing.
TEST_F(RegistrySnapshotTest, AbsentAndTooDeepKeys) {
  const RegistryKeySnapshot absent = RegistryKeySnapshot::Capture(HKEY_CURRENT_USER, kKey);
  ASSERT_TRUE(absent.ok());
  EXPECT_FALSE(absent.existed());
  SetRaw(kKey, L"v", REG_SZ, L"1", 2 * sizeof(wchar_t));
  EXPECT_EQ(absent.Restore(), ERROR_SUCCESS);
  HKEY probe = nullptr;
  EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &probe), ERROR_FILE_NOT_FOUND);

  std::wstring deep = kKey;
  for (int i = 0; i <= RegistryKeySnapshot::kMaxDepth; ++i) deep += L"\\d";
  SetRaw(deep, L"v", REG_SZ, L"1", 2 * sizeof(wchar_t));
  const RegistryKeySnapshot too_deep = RegistryKeySnapshot::Capture(HKEY_CURRENT_USER, kKey);
  EXPECT_FALSE(too_deep.ok());
  EXPECT_NE(too_deep.Restore(), ERROR_SUCCESS);
  EXPECT_EQ(::SHGetValueW(HKEY_CURRENT_USER, deep.c_str(), L"v", nullptr, nullptr, nullptr), ERROR_SUCCESS);
}

}  // namespace
}  // namespace vireo::test
