#include "support/base32.h"

#include <gtest/gtest.h>

#include <string>

#include "support/md5_digest.h"

namespace vireo {
namespace {

std::wstring Base32Of(const std::string& bytes) {
  return Base32Encode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string Hex(const Md5& d) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (uint8_t b : d) {
    out.push_back(kHex[b >> 4]);
    out.push_back(kHex[b & 15]);
  }
  return out;
}

// The RFC 4648 test vectors, without the "=" fill.
TEST(ShortcutWorkItemBase32, Rfc4648Vectors) {
  EXPECT_EQ(Base32Of(""), L"");
  EXPECT_EQ(Base32Of("f"), L"MY");
  EXPECT_EQ(Base32Of("fo"), L"MZXQ");
  EXPECT_EQ(Base32Of("foo"), L"MZXW6");
  EXPECT_EQ(Base32Of("foob"), L"MZXW6YQ");
  EXPECT_EQ(Base32Of("fooba"), L"MZXW6YTB");
  EXPECT_EQ(Base32Of("foobar"), L"MZXW6YTBOI");
}

// A known MD5 digest gives 26 characters, the last carrying the final 3 bits at its top.
TEST(ShortcutWorkItemBase32, KnownDigest) {
  const std::string sid = "S-1-5-21-0-0-0-1000";
  Md5 digest;
  ASSERT_TRUE(ComputeMd5(sid.data(), sid.size(), &digest));
  EXPECT_EQ(Hex(digest), "cd154f8dc8bfc9ace5e6e39b9aa9bd0e");
  EXPECT_EQ(Base32Encode(digest.data(), digest.size()), L"ZUKU7DOIX7E2ZZPG4ONZVKN5BY");

  ASSERT_TRUE(ComputeMd5("", 0, &digest));
  EXPECT_EQ(Hex(digest), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Base32Encode(digest.data(), digest.size()), L"2QOYZWMPACZAJ2MABGMOZ6CCPY");

  EXPECT_FALSE(ComputeMd5(nullptr, 4, &digest));
  EXPECT_FALSE(ComputeMd5("x", 1, nullptr));
}

}  // namespace
}  // namespace vireo
