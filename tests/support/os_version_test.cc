#include "support/os_version.h"

#include <gtest/gtest.h>

namespace vireo {
namespace {

std::wstring NameOf(unsigned long major, unsigned long minor, unsigned long build) {
  return WindowsVersionName(WindowsVersionCode(major, minor, build));
}

// Every row of the version table, including the build split between 10 and 11.
TEST(UsageStatsOsVersion, NamesFromVersionNumbers) {
  EXPECT_EQ(WindowsVersionCode(5, 0, 2195), 1);
  EXPECT_EQ(NameOf(5, 0, 2195), L"");
  EXPECT_EQ(NameOf(5, 1, 2600), L"XP");
  EXPECT_EQ(WindowsVersionCode(5, 2, 3790), 6);
  EXPECT_EQ(NameOf(5, 2, 3790), L"Server 2003");
  EXPECT_EQ(NameOf(6, 0, 6002), L"Vista");
  EXPECT_EQ(NameOf(6, 1, 7601), L"7");
  EXPECT_EQ(NameOf(6, 2, 9200), L"8");
  EXPECT_EQ(NameOf(6, 3, 9600), L"8.1");
  EXPECT_EQ(WindowsVersionCode(10, 0, 21999), 14);
  EXPECT_EQ(NameOf(10, 0, 19045), L"10");
  EXPECT_EQ(WindowsVersionCode(10, 0, 22000), 15);
  EXPECT_EQ(NameOf(10, 0, 26100), L"11");
}

// Versions outside the table have code 0 and no name.
TEST(UsageStatsOsVersion, UnknownVersionsHaveNoName) {
  EXPECT_EQ(WindowsVersionCode(4, 0, 1381), 0);
  EXPECT_EQ(WindowsVersionCode(5, 3, 0), 0);
  EXPECT_EQ(WindowsVersionCode(6, 4, 0), 0);
  EXPECT_EQ(WindowsVersionCode(11, 0, 30000), 0);
  EXPECT_EQ(WindowsVersionName(0), L"");
  EXPECT_EQ(WindowsVersionName(3), L"");
}

// The run-time lookup reads the kernel's numbers, and the cached name matches them.
TEST(UsageStatsOsVersion, RtlGetVersionLookup) {
  OsVersion v;
  ASSERT_TRUE(ReadOsVersion(&v));
  EXPECT_GE(v.major, 5u);
  EXPECT_GT(v.build, 0u);
  EXPECT_EQ(GetOsVersionName(), NameOf(v.major, v.minor, v.build));
  EXPECT_FALSE(ReadOsVersion(nullptr));
}

}  // namespace
}  // namespace vireo
