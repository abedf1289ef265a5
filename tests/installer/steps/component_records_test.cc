#include "installer/steps/component_records.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {


// The records are single lines of exactly this text; last_check is whole seconds in
// milliseconds, as a JSON string.
TEST(DirWorkItemRecords, Formats) {
  EXPECT_EQ(FormatScreenshotRecord(1700000000000),
            R"({"filename":"Screenshot.exe.zip","version":"migrated","last_check":"1700000000000"})");
  EXPECT_EQ(FormatWidevineRecord(L"1.0.2.7", 1700000000000), R"({"version":"1.0.2.7","last_check":"1700000000000"})");
  EXPECT_EQ(FormatWidevineRecord(std::wstring(64, L'1'), 1), "");

  const int64_t now = CurrentLastCheckMillis();
  EXPECT_EQ(now % 1000, 0);
  const std::string record = FormatWidevineRecord(L"1.0.2.7", now);
  EXPECT_TRUE(std::regex_match(record, std::regex(R"(\{"version":"1\.0\.2\.7","last_check":"[1-9][0-9]*000"\}$)")))
      << record;
}

}  // namespace
}  // namespace vireo
