#include "support/file_version.h"

#include <gtest/gtest.h>

#include "support/module_instance.h"
#include "support/scoped_handle.h"
#include "tests/test_support/test_paths.h"

namespace vireo {
namespace {

std::wstring Fixture(const char* name) { return test::BuildPath(std::string("fixtures/") + name + ".exe"); }

// A real version resource reads back as the same text and number.
TEST(FileVersionTest, ReadsTextAndNumberOfAVersionedFile) {
  const std::wstring path = Fixture("version_1_2_3_4");
  EXPECT_EQ(GetFileVersionString(path.c_str()), L"1.2.3.4");
  EXPECT_EQ(GetFileVersionNumber(path.c_str()), 0x0001000200030004ull);
}

// Files without version information, missing files and null paths all mean "none".
TEST(FileVersionTest, NoVersionMeansEmptyAndZero) {
  const std::wstring none = Fixture("version_none");
  EXPECT_EQ(GetFileVersionString(none.c_str()), L"");
  EXPECT_EQ(GetFileVersionNumber(none.c_str()), 0u);
  EXPECT_EQ(GetFileVersionString(L"C:\\does\\not\\exist.exe"), L"");
  EXPECT_EQ(GetFileVersionNumber(L"C:\\does\\not\\exist.exe"), 0u);
  EXPECT_EQ(GetFileVersionString(nullptr), L"");
  EXPECT_EQ(GetFileVersionNumber(nullptr), 0u);
}

// A version block of 16 KiB or more is refused by both readers instead of being misread.
TEST(FileVersionTest, OversizedVersionBlockIsRefused) {
  const std::wstring big = Fixture("version_big");
  DWORD ignored = 0;
  ASSERT_GE(::GetFileVersionInfoSizeW(big.c_str(), &ignored), 16384u) << "fixture block too small";
  EXPECT_EQ(GetFileVersionString(big.c_str()), L"");
  EXPECT_EQ(GetFileVersionNumber(big.c_str()), 0u);
}

// The most significant part decides: 2.0.0.0 is newer than 1.65535.65535.65535.
TEST(FileVersionTest, NumbersCompareMostSignificantPartFirst) {
  const std::wstring two = Fixture("version_2_0_0_0");
  const std::wstring one = Fixture("version_1_65535_65535_65535");
  EXPECT_EQ(GetFileVersionString(one.c_str()), L"1.65535.65535.65535");
  EXPECT_GT(GetFileVersionNumber(two.c_str()), GetFileVersionNumber(one.c_str()));
}

// The installer's own version resource is found through its module handle.
TEST(FileVersionTest, SelfVersionOfTheBuiltInstaller) {
  const std::wstring setup = test::BuildPath("bin/vireo_setup.exe");
  const ScopedModule module(
      ::LoadLibraryExW(setup.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(module);
  EXPECT_EQ(GetSelfVersionNumber(module.get()), GetFileVersionNumber(setup.c_str()));
  EXPECT_EQ(GetFileVersionString(setup.c_str()), L"" VIREO_TEST_FILE_VERSION);
  // A module without a version resource has none.
  const ScopedModule none(::LoadLibraryExW(Fixture("version_none").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(none);
  EXPECT_EQ(GetSelfVersionNumber(none.get()), 0u);
}

}  // namespace
}  // namespace vireo
