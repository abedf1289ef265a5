// Everything an install leaves in the user's profile, found and removed for end-to-end
// tests: they run the real installer against the prefix's real profile and registry, so
// each case starts from and leaves a clean profile.
#pragma once

#include <string>

namespace vireo::test {

struct UserProfilePaths {
  std::wstring local_app_data;  // ...\AppData\Local
  std::wstring product_root;    // local_app_data + "\Vireo"
  std::wstring app_dir;         // product_root + "\Application"
  std::wstring user_data;       // product_root + "\User Data"
  std::wstring start_menu_link; // Programs\Vireo.lnk
  std::wstring desktop_link;    // Desktop\Vireo.lnk
};

UserProfilePaths GetUserProfilePaths();

// Removes the product folders, both links and every registry entry an install writes; only
// inside the harness's own Wine prefix (test_prefix.h), else it deletes nothing and fails
// the test.
void CleanUserProfile();

// True when none of those traces exists (registry included).
bool ProfileIsClean(std::wstring* what_remains);

}  // namespace vireo::test
