#include "installer/steps/json_version.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

using test::WriteFileBytes;

class DirWorkItemJsonVersion : public testing::Test {
 protected:
  bool Read(const std::string& content, std::wstring* text = nullptr) {
    const std::wstring file = temp_.Join(L"manifest.json");
    EXPECT_TRUE(WriteFileBytes(file, content));
    wchar_t out[kJsonVersionChars] = {};
    const bool ok = ReadJsonVersion(file.c_str(), out);
    if (text) *text = out;
    return ok;
  }
  test::ScopedTempDir temp_;
};

// A string "version" of four dotted numbers is read, comments allowed.
TEST_F(DirWorkItemJsonVersion, ReadsVersion) {
  std::wstring v;
  EXPECT_TRUE(Read(R"({"name":"WidevineCdm","version":"1.0.2.7"})", &v));
  EXPECT_EQ(v, L"1.0.2.7");
  EXPECT_TRUE(Read("// a comment\n{ /* inline */ \"version\": \"4.10.2710.0\" }", &v));
  EXPECT_EQ(v, L"4.10.2710.0");
}

// Everything outside the limits is refused.
TEST_F(DirWorkItemJsonVersion, Limits) {
  std::wstring v;
  EXPECT_FALSE(Read(""));
  EXPECT_FALSE(Read("not json"));
  EXPECT_FALSE(Read(R"(["version","1.2.3.4"])"));
  EXPECT_FALSE(Read(R"({"version":1.2})"));
  EXPECT_FALSE(Read(R"({"Version":"1.2.3.4"})"));
  EXPECT_FALSE(Read(R"({"version":""})"));
  EXPECT_FALSE(Read(R"({"version":"1.2.3"})", &v));
  EXPECT_EQ(v, L"1.2.3");  // the text stays readable even though it is not a version
  // 63 bytes still fit, 64 do not.
  const std::string v63 = "1.2.3." + std::string(57, '4');
  EXPECT_FALSE(Read("{\"version\":\"" + v63 + "\"}", &v));  // fits, but overflows 32 bits
  EXPECT_EQ(v.size(), 63u);
  EXPECT_FALSE(Read("{\"version\":\"" + v63 + "5\"}", &v));
  EXPECT_EQ(v, L"");
  // A non-ASCII byte stops the copy where it stands.
  EXPECT_FALSE(Read("{\"version\":\"1.2\xC3\xA9.3.4\"}", &v));
  EXPECT_EQ(v, L"1.2");
  // An embedded null does not hide a tail.
  EXPECT_FALSE(Read("{\"version\":\"1.2.3.4\\u0000x\"}"));

  wchar_t out[kJsonVersionChars] = {};
  EXPECT_FALSE(ReadJsonVersion(temp_.Join(L"missing.json").c_str(), out));
  EXPECT_FALSE(ReadJsonVersion(nullptr, out));
  EXPECT_FALSE(ReadJsonVersion(L"", out));
  EXPECT_FALSE(ReadJsonVersion(temp_.Join(L"manifest.json").c_str(), nullptr));
}

}  // namespace
}  // namespace vireo
