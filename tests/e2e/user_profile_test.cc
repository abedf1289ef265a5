// The profile clean-up deletes the browser's data, so it runs only inside the harness's own
// Wine prefix: a drive other than the prefix's C, or a prefix the harness did not make,
// is refused.
#include "tests/e2e/user_profile.h"

#include <gtest/gtest.h>

#include "tests/test_support/scoped_env.h"
#include "tests/test_support/test_paths.h"
#include "tests/test_support/test_prefix.h"

namespace vireo::test {
namespace {

TEST(UserProfileTest, CleanUpRunsOnlyInsideTheHarnessPrefix) {
  const std::wstring local = GetUserProfilePaths().local_app_data;
  std::wstring why;
  EXPECT_TRUE(IsInsideTestPrefix(local, &why)) << testing::PrintToString(why);
  EXPECT_FALSE(IsInsideTestPrefix(BuildPath(""), &why));  // drive Z: the build tree itself

  // A prefix without the harness's stamp: some other, possibly real, Wine prefix.
  const ScopedEnvVar other(L"WINEPREFIX", L"/nonexistent-prefix");
  EXPECT_FALSE(IsInsideTestPrefix(local, &why));
  EXPECT_FALSE(why.empty());
}

}  // namespace
}  // namespace vireo::test
