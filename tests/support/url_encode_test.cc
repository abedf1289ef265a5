#include "support/url_encode.h"

#include <gtest/gtest.h>

namespace vireo {
namespace {

// Unreserved characters pass, a space and every other byte are percent-encoded in upper case,
// non-ASCII text byte by byte of its UTF-8 form.
TEST(UsageStatsUrlEncode, ByteRules) {
  EXPECT_EQ(UrlEncode(L""), L"");
  EXPECT_EQ(UrlEncode(L"Az09-._~"), L"Az09-._~");
  EXPECT_EQ(UrlEncode(L"a b"), L"a%20b");
  EXPECT_EQ(UrlEncode(L"/?&=+%"), L"%2F%3F%26%3D%2B%25");
  EXPECT_EQ(UrlEncode(L"\u00e9"), L"%C3%A9");
  EXPECT_EQ(UrlEncode(L"\u8bbf"), L"%E8%AE%BF");
  EXPECT_EQ(UrlEncode(L"\U0001F600"), L"%F0%9F%98%80");
  // A security identifier keeps its hyphens.
  EXPECT_EQ(UrlEncode(L"S-1-5-21-0-0-0-1000"), L"S-1-5-21-0-0-0-1000");
}

}  // namespace
}  // namespace vireo
