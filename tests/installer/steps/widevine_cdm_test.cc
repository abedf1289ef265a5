#include "installer/steps/widevine_cdm.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

using test::MakeDirs;
using test::ReadFileBytes;
using test::WriteFileBytes;

// A module folder: "manifest.json" naming |version| and, when given, one platform library.
void MakeModule(const std::wstring& folder, const std::string& version, const wchar_t* arch) {
  ASSERT_TRUE(MakeDirs(folder));
  ASSERT_TRUE(WriteFileBytes(folder + L"\\manifest.json", "{\"version\":\"" + version + "\"}"));
  if (arch) {
    ASSERT_TRUE(MakeDirs(folder + L"\\_platform_specific\\" + arch));
    ASSERT_TRUE(WriteFileBytes(folder + L"\\_platform_specific\\" + arch + L"\\widevinecdm.dll", "MZ"));
  }
}

// A module needs its manifest and one of the three platform libraries as a file.
TEST(DirWorkItemWidevine, HasFiles) {
  test::ScopedTempDir temp;
  MakeModule(temp.Join(L"x64"), "1.0.2.7", L"win_x64");
  EXPECT_TRUE(HasWidevineCdmFiles(temp.Join(L"x64")));
  MakeModule(temp.Join(L"arm"), "1.0.2.7", L"win_arm64");
  EXPECT_TRUE(HasWidevineCdmFiles(temp.Join(L"arm")));
  MakeModule(temp.Join(L"none"), "1.0.2.7", nullptr);
  EXPECT_FALSE(HasWidevineCdmFiles(temp.Join(L"none")));
  // A library that is a directory does not count.
  ASSERT_TRUE(MakeDirs(temp.Join(L"none\\_platform_specific\\win_x86\\widevinecdm.dll")));
  EXPECT_FALSE(HasWidevineCdmFiles(temp.Join(L"none")));
  // No manifest.
  ASSERT_TRUE(MakeDirs(temp.Join(L"nomanifest\\_platform_specific\\win_x64")));
  ASSERT_TRUE(WriteFileBytes(temp.Join(L"nomanifest\\_platform_specific\\win_x64\\widevinecdm.dll"), "MZ"));
  EXPECT_FALSE(HasWidevineCdmFiles(temp.Join(L"nomanifest")));
  EXPECT_FALSE(HasWidevineCdmFiles(temp.Join(L"missing")));
  EXPECT_FALSE(HasWidevineCdmFiles(L""));
}

class DirWorkItemWidevineRecord : public testing::Test {
 protected:
  std::wstring Record() const { return temp_.Join(L"installed.json"); }
  test::ScopedTempDir temp_;
};

// Without a record, one naming the version is written.
TEST_F(DirWorkItemWidevineRecord, WritesNewRecord) {
  WriteWidevineRecord(temp_.path(), L"1.0.2.7");
  const std::string text = ReadFileBytes(Record());
  EXPECT_TRUE(std::regex_match(text, std::regex(R"(\{"version":"1\.0\.2\.7","last_check":"[0-9]+000"\})"))) << text;
  WriteWidevineRecord(L"", L"1.0.2.7");
  WriteWidevineRecord(temp_.Join(L"other"), L"");
  EXPECT_FALSE(test::PathExists(temp_.Join(L"other")));
}

// A record naming the same version (any case) or another usable module stays untouched.
TEST_F(DirWorkItemWidevineRecord, KeepsRecordOfUsableModule) {
  const std::string same = R"({"version":"1.0.2.7","last_check":"5000"})";
  ASSERT_TRUE(WriteFileBytes(Record(), same));
  WriteWidevineRecord(temp_.path(), L"1.0.2.7");
  EXPECT_EQ(ReadFileBytes(Record()), same);

  MakeModule(temp_.Join(L"4.10.0.0"), "4.10.0.0", L"win_x64");
  const std::string other = R"({"version":"4.10.0.0","last_check":"5000"})";
  ASSERT_TRUE(WriteFileBytes(Record(), other));
  WriteWidevineRecord(temp_.path(), L"1.0.2.7");
  EXPECT_EQ(ReadFileBytes(Record()), other);

  // Even a name that is not a four-number version is kept while its folder is usable.
  MakeModule(temp_.Join(L"custom"), "4.10.0.0", L"win_x86");
  const std::string custom = R"({"version":"custom"})";
  ASSERT_TRUE(WriteFileBytes(Record(), custom));
  WriteWidevineRecord(temp_.path(), L"1.0.2.7");
  EXPECT_EQ(ReadFileBytes(Record()), custom);
}

// A record naming a module that is gone, or an unreadable record, is replaced.
TEST_F(DirWorkItemWidevineRecord, ReplacesStaleRecord) {
  ASSERT_TRUE(WriteFileBytes(Record(), R"({"version":"9.9.9.9","last_check":"5000"})"));
  WriteWidevineRecord(temp_.path(), L"1.0.2.7");
  EXPECT_EQ(ReadFileBytes(Record()).rfind(R"({"version":"1.0.2.7","last_check":")", 0), 0u);

  ASSERT_TRUE(WriteFileBytes(Record(), "garbage"));
  WriteWidevineRecord(temp_.path(), L"1.0.2.7");
  EXPECT_EQ(ReadFileBytes(Record()).rfind(R"({"version":"1.0.2.7","last_check":")", 0), 0u);
}

}  // namespace
}  // namespace vireo

