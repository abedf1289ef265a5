#include "tests/e2e/user_profile.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include "installer/product_constants.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/registry_readback.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_prefix.h"

namespace vireo::test {
namespace {

constexpr const wchar_t* kKeys[] = {kProductRegKey, kAppPathsRegKey, kUninstallRegKey};

std::wstring Folder(int csidl) {
  wchar_t buf[MAX_PATH] = L"";
  ::SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, buf);
  return buf;
}

}  // namespace

UserProfilePaths GetUserProfilePaths() {
  UserProfilePaths p;
  p.local_app_data = Folder(CSIDL_LOCAL_APPDATA);
  p.product_root = p.local_app_data + L"\\" + kProductName;
  p.app_dir = p.product_root + L"\\" + kApplicationFolderName;
  p.user_data = p.product_root + L"\\" + kUserDataFolderName;
  p.start_menu_link = Folder(CSIDL_PROGRAMS) + L"\\" + kLinkFileName;
  p.desktop_link = Folder(CSIDL_DESKTOPDIRECTORY) + L"\\" + kLinkFileName;
  return p;
}

void CleanUserProfile() {
  const UserProfilePaths p = GetUserProfilePaths();
  std::wstring why;
  if (!IsInsideTestPrefix(p.local_app_data, &why)) {
    ADD_FAILURE() << "refusing to delete the browser's data in " << testing::PrintToString(p.local_app_data)
                  << ": " << testing::PrintToString(why);
    return;
  }
  RemoveTreeForTest(p.product_root);
  ::DeleteFileW(p.start_menu_link.c_str());
  ::DeleteFileW(p.desktop_link.c_str());
  for (const wchar_t* key : kKeys) ::SHDeleteKeyW(HKEY_CURRENT_USER, key);
  ::SHDeleteValueW(HKEY_CURRENT_USER, kRunRegKey, kProductName);
}

bool ProfileIsClean(std::wstring* what_remains) {
  const UserProfilePaths p = GetUserProfilePaths();
  std::wstring remains;
  for (const std::wstring* path : {&p.product_root, &p.start_menu_link, &p.desktop_link}) {
    if (PathExists(*path)) remains += *path + L"; ";
  }
  for (const wchar_t* key : kKeys) {
    if (RegKeyExists(key)) remains += std::wstring(L"HKCU\\") + key + L"; ";
  }
  if (what_remains) *what_remains = remains;
  return remains.empty();
}

}  // namespace vireo::test
