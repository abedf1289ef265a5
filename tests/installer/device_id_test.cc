#include "installer/device_id.h"

#include <gtest/gtest.h>

#include "support/user_sid.h"

namespace vireo {
namespace {

// Short sources are doubled until they reach 32 characters, long ones are cut, and the mix
// gives the digits the server has always seen for them (values worked out from the
// mixing rule with a separate script, not by this code).
TEST(UsageStatsFingerprint, ExpandAndMix) {
  const std::string twenty = ExpandFingerprintSource("ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(twenty, "ABCDEFGHIJKLMNOPQRSTABCDEFGHIJKL");
  EXPECT_EQ(MixFingerprint(twenty), "FECA740C72C608190DCE1B4D5D4B2EBA");

  const std::string five = ExpandFingerprintSource("abcde");
  EXPECT_EQ(five, "abcdeabcdeabcdeabcdeabcdeabcdeab");
  EXPECT_EQ(MixFingerprint(five), "7E5C4B190804C4C580819B3C5EE70DAE");

  const std::string forty = ExpandFingerprintSource("0123456789abcdefghijklmnopqrstuvwxyzABCD");
  EXPECT_EQ(forty, "0123456789abcdefghijklmnopqrstuv");
  EXPECT_EQ(MixFingerprint(forty), "369BCDEB24048BE124455431FC9512AC");
}

// An empty source must not loop forever, and the mix refuses anything but 32 characters.
TEST(UsageStatsFingerprint, DegenerateInputs) {
  EXPECT_EQ(ExpandFingerprintSource(""), std::string(32, '0'));
  EXPECT_EQ(MixFingerprint("short"), "");
  EXPECT_EQ(MixFingerprint(std::string(33, 'x')), "");
}

// The machine fingerprint is 32 upper-case hex digits and stable within a run.
TEST(UsageStatsFingerprint, MachineFingerprintShape) {
  const std::string fp = ComputeMachineFingerprint();
  ASSERT_EQ(fp.size(), 32u);
  EXPECT_EQ(fp.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  EXPECT_EQ(fp, ComputeMachineFingerprint());
}

// The device id is the account's security identifier when the token can be read.
TEST(UsageStatsFingerprint, DeviceIdIsUserSid) {
  std::wstring sid;
  ASSERT_TRUE(GetCurrentUserSidString(&sid));
  EXPECT_EQ(sid.rfind(L"S-1-", 0), 0u) << sid.size();
  EXPECT_EQ(GetDeviceId(), sid);
}

}  // namespace
}  // namespace vireo
