// corekit/value_map.h: numbers stored as text and read back strictly.
#include "corekit/value_map.h"

#include <gtest/gtest.h>

namespace {

// Numbers round-trip through their text; text that is not a whole number is not one.
TEST(CorekitValueMapTest, NumbersRoundTripAndJunkIsRefused) {
  corekit::ValueMap map;
  EXPECT_TRUE(map.empty());
  map.SetInt(L"n", -9223372036854775807ll - 1);
  map.SetString(L"big", L"9223372036854775808");
  map.SetString(L"junk", L"12abc");
  map.SetString(L"blank", L" 12");
  map.SetString(L"empty", L"");
  int64_t n = 0;
  EXPECT_TRUE(map.GetInt(L"n", &n));
  EXPECT_EQ(n, -9223372036854775807ll - 1);
  std::wstring text;
  EXPECT_TRUE(map.GetString(L"n", &text));
  EXPECT_EQ(text, L"-9223372036854775808");
  int64_t untouched = 42;
  EXPECT_FALSE(map.GetInt(L"big", &untouched));
  EXPECT_FALSE(map.GetInt(L"junk", &untouched));
  EXPECT_FALSE(map.GetInt(L"blank", &untouched));
  EXPECT_FALSE(map.GetInt(L"empty", &untouched));
  EXPECT_FALSE(map.GetInt(L"missing", &untouched));
  EXPECT_EQ(untouched, 42);
  EXPECT_EQ(map.size(), 5u);
  EXPECT_TRUE(map.Remove(L"junk"));
  EXPECT_FALSE(map.Remove(L"junk"));
  EXPECT_FALSE(map.Has(L"junk"));
}

}  // namespace
